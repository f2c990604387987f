# shellcheck shell=bash
# Shared by scripts/setup.sh, scripts/test.sh and scripts/fuzz.sh; sourced, not run.

# ensure_packages WHO PACKAGE...: installs the Debian packages that are missing, with apt-get as
# root; anyone else is shown the sudo line and the script ends with status 1. WHO starts the
# message ("Quillmark", "The fuzz build").
ensure_packages() {
  local who=$1 p
  shift
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "$who needs these packages. Install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
}

# take_build_lock: one build or test run at a time on this machine. Holds the lock on fd 9 until
# the script ends; a caller that already holds it says so with QM_BUILD_LOCK_HELD.
take_build_lock() {
  if [ -z "${QM_BUILD_LOCK_HELD:-}" ]; then
    exec 9>/tmp/quillmark-build.lock
    flock 9
    export QM_BUILD_LOCK_HELD=1
  fi
}

# ccache_launcher: prints the CMake option that compiles through ccache, or nothing without ccache.
ccache_launcher() {
  if command -v ccache >/dev/null; then echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
}

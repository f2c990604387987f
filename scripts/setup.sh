#!/usr/bin/env bash
# Installs what Quillmark needs on Debian, configures and builds it (-j2) into build/, or into
# $BUILD_DIR with the extra CMake options in $QM_CMAKE_ARGS (scripts/test.sh --sanitize does that).
# Quick when nothing changed: installed packages are only checked, the build is incremental.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build qt6-base-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation2 fonts-dejavu-core
          desktop-file-utils appstream-util)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Quillmark needs these packages. Install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

build_type=${BUILD_TYPE:-Release}
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  # shellcheck disable=SC2086
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "${launcher[@]}" ${QM_CMAKE_ARGS:-}
fi
cmake --build "$build_dir" -j2

#!/usr/bin/env bash
# Builds the Debian package: a Release build without tests in build-package/ (or $BUILD_DIR),
# hardened with Debian's own build flags, then cpack -G DEB, then lintian when it is installed.
#   scripts/package.sh        ->  build-package/quillmark_<version>_<arch>.deb
# Holds the machine-wide build lock like every build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
take_build_lock
ensure_packages "The package build" dpkg-dev lintian
build_dir=${BUILD_DIR:-build-package}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
  ldflags=$(dpkg-buildflags --get LDFLAGS)
  ensure_packages Quillmark cmake ninja-build
  # shellcheck disable=SC2046
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF $(ccache_launcher) \
        "-DCMAKE_CXX_FLAGS=$cflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
fi
BUILD_DIR=$build_dir scripts/setup.sh
(cd "$build_dir" && cpack -G DEB)
deb=$(ls -t "$build_dir"/quillmark_*.deb | head -1)
if command -v lintian >/dev/null; then
  lintian --fail-on error --info "$deb"
fi
echo "$deb"

#!/usr/bin/env bash
# Installs what Quillmark needs on Debian, configures and builds it (-j2) into build/, or into
# $BUILD_DIR with the extra CMake options in $QM_CMAKE_ARGS (scripts/test.sh --sanitize does that).
# Quick when nothing changed: installed packages are only checked, the build is incremental.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/lib.sh

packages=(build-essential cmake ninja-build qt6-base-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation2 fonts-dejavu-core
          desktop-file-utils appstream-util appstream
          dpkg-dev lintian)
ensure_packages Quillmark "${packages[@]}"

build_type=${BUILD_TYPE:-Release}
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  # shellcheck disable=SC2046,SC2086
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" $(ccache_launcher) ${QM_CMAKE_ARGS:-}
fi
cmake --build "$build_dir" -j2

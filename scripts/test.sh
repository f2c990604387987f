#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (UI tests run offscreen).
#   scripts/test.sh [ctest args]             the normal build in build/ (or $BUILD_DIR)
#   scripts/test.sh --sanitize [ctest args]  (or QM_SANITIZE=1) a build with AddressSanitizer and
#                                            UndefinedBehaviorSanitizer in build-sanitize/
# Either holds the machine-wide build lock, so builds in several work trees take turns on the cores.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh
if [ "${1:-}" = "--sanitize" ]; then
  shift
  QM_SANITIZE=1
fi
take_build_lock
if [ -n "${QM_SANITIZE:-}" ] && [ "${QM_SANITIZE}" != 0 ]; then
  export BUILD_DIR=build-sanitize BUILD_TYPE=RelWithDebInfo QM_CMAKE_ARGS="-DQM_SANITIZE=ON"
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi
build_dir=${BUILD_DIR:-build}
BUILD_DIR=$build_dir scripts/setup.sh
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"

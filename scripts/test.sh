#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (UI tests run offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"

#!/usr/bin/env bash
# Rewrites the reference files of the generated scripts (tests/data/expected/) from the current
# generators. Review the diff: the bytes there are what the tests hold the generators to.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
QM_UPDATE_EXPECTED=1 build/tests/core_tests --gtest_filter='*Script.*:DescriptionFile.*:OverviewPage.*'
git status --short tests/data/expected

#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS] [TARGET...]: builds the libFuzzer targets with clang into build-fuzz/
# and runs each (or the named ones) for SECONDS (default 20). Holds the machine-wide build lock.
# New interesting inputs go to build-fuzz/corpus/NAME/ (kept between runs, not in the repo);
# a crash stops the run with the input in build-fuzz/artifacts/. Put that file into
# fuzz/regressions/NAME/ and fix the fault: the normal test suite replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib.sh

seconds=${1:-20}
shift || true
case "$seconds" in ''|*[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2 ;; esac

packages=(clang libclang-rt-14-dev cmake ninja-build)
ensure_packages "The fuzz build" "${packages[@]}"
take_build_lock

build=build-fuzz
if [ ! -f $build/CMakeCache.txt ]; then
  # shellcheck disable=SC2046
  cmake -S . -B $build -G Ninja -DQM_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ $(ccache_launcher) >/dev/null
fi
cmake --build $build -j2

mkdir -p $build/corpus $build/artifacts
failed=()
while read -r name seeds; do
  [ -n "$name" ] || continue
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  mkdir -p "$build/corpus/$name" "fuzz/regressions/$name"
  # Files given as seeds are copied into a folder: libFuzzer reads folders.
  seeddir="$build/seeds/$name"
  rm -rf "$seeddir"
  mkdir -p "$seeddir"
  dirs=()
  for s in $seeds; do
    if [ -d "$s" ]; then dirs+=("$s"); elif [ -f "$s" ]; then cp "$s" "$seeddir/"; fi
  done
  echo "fuzz: $name for ${seconds}s"
  if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$name-" "$build/corpus/$name" "$seeddir" "${dirs[@]}" \
       "fuzz/regressions/$name" >"$build/$name.log" 2>&1; then
    tail -n 60 "$build/$name.log" >&2
    failed+=("$name")
  else
    grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$build/$name.log" | tail -n 1 || true
  fi
done <$build/fuzz-targets.txt

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: found faults in: ${failed[*]} (inputs in $build/artifacts/)" >&2
  exit 1
fi
echo "fuzz: no faults found"

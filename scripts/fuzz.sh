#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target (or the TARGETs
# named) for SECONDS each (default 60), FUZZ_JOBS targets at a time
# (default 2), then prints per target its runs, runs per second, edges and
# findings.
#
#   scripts/fuzz.sh [SECONDS [TARGET...]]
#
# Each target starts from a scratch copy of its seeds (fuzz/corpus/<name>/)
# with its dictionary (fuzz/dict/<name>.dict), so what the fuzzer adds never
# lands in the tree. The scratch directory, named at the end, keeps each
# target's log, grown corpus and findings (crash-*, leak-*, timeout-*,
# oom-*). Exits 1 when any target found something.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))
parallel=${FUZZ_JOBS:-2}
build=$repo/build/fuzz

if [[ ! $seconds =~ ^[0-9]+$ ]] || ((seconds == 0)); then
  echo "usage: $0 [SECONDS [TARGET...]]" >&2
  exit 2
fi

if [[ ! -f $build/CMakeCache.txt ]]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  (cd "$repo" && cmake --preset fuzz "${launcher[@]}")
fi
cmake --build "$build" --target fuzzers -j 2

targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in "$repo"/fuzz/*_fuzz.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi
for target in "${targets[@]}"; do
  if [[ ! -x $build/fuzz/$target ]]; then
    echo "no fuzz target $target" >&2
    exit 2
  fi
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vimaru-fuzz.XXXXXX")
# Clang 16's runtime looks for a symbolizer of its own version; any one
# names the frames of a finding's stack.
if [[ -z ${ASAN_SYMBOLIZER_PATH:-} ]] && command -v llvm-symbolizer >/dev/null; then
  export ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer)
fi

run_target() {
  local target=$1 name=${1%_fuzz}
  local dir=$scratch/$name
  mkdir -p "$dir/corpus" "$dir/findings"
  if [[ -d $repo/fuzz/corpus/$name ]]; then cp -R "$repo/fuzz/corpus/$name/." "$dir/corpus/"; fi
  local options=(-max_total_time="$seconds" -max_len=8192 -timeout=25 -print_final_stats=1
                 -artifact_prefix="$dir/findings/")
  local dictionary=$repo/fuzz/dict/$name.dict
  if [[ -f $dictionary ]]; then options+=(-dict="$dictionary"); fi
  # A finding stops the target; its input is in findings/ and the report in the log.
  "$build/fuzz/$target" "${options[@]}" "$dir/corpus" >"$dir/log" 2>&1 || true
}

echo "Fuzzing ${#targets[@]} targets for ${seconds}s each, $parallel at a time, in $scratch"
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= parallel)); do wait -n || true; done
  run_target "$target" &
done
wait

# libFuzzer's final statistics, or its last status line when it stopped on a finding.
stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -n 1; }

found=0
printf '%-24s %12s %8s %7s %9s\n' target runs runs/s edges findings
for target in "${targets[@]}"; do
  name=${target%_fuzz}
  log=$scratch/$name/log
  runs=$(stat number_of_executed_units "$log")
  [[ -n $runs ]] || runs=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  rate=$(stat average_exec_per_sec "$log")
  edges=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  findings=$(find "$scratch/$name/findings" -type f | wc -l)
  ((found += findings)) || true
  printf '%-24s %12s %8s %7s %9s\n' "$target" "${runs:-?}" "${rate:-?}" "${edges:-?}" "$findings"
done
echo "Logs, corpora and findings: $scratch"
if ((found > 0)); then
  find "$scratch" -path '*/findings/*' -type f
  exit 1
fi

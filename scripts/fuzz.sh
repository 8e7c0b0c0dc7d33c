#!/usr/bin/env bash
# Builds the native libFuzzer tree (clang, AddressSanitizer, UBSan) in
# build/fuzz and runs every fuzz_* target built there, each starting from its
# seed corpus in tests/fuzz/corpus/<target>/. Prints per target the runs, the
# coverage reached and the crashes found; exits non-zero on any finding.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   SECONDS (default 120) shared out
#                                           evenly between the targets
#   scripts/fuzz.sh --each SECONDS ...      SECONDS for every target
#   scripts/fuzz.sh --runs N ...            every target until N runs
#
# The seeds are copied to a scratch folder first: inputs the fuzzer finds
# interesting, and the reproducers of findings (build/fuzz/findings/), never
# land in the repository. One fuzzing process at a time, one target after
# the other; the machine may be shared.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

total=120
each=""
runs=""
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --each) each=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,16p' "$0"; exit 0 ;;
    [0-9]*) total=$1; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done

kvvx_install_packages
fuzz_build=$KVVX_BUILD/fuzz
log "building the fuzz targets (native clang, AddressSanitizer, UBSan)"
# -O1 keeps the sanitizers' reports exact while running several times faster
# than an unoptimised build.
cmake -S "$KVVX_ROOT" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE= \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="-O1 -g" -DCMAKE_CXX_FLAGS="-O1 -g" \
  -DKVVX_FUZZ=ON -DKVVX_SANITIZE=ON >/dev/null
mapfile -t all < <(ninja -C "$fuzz_build" -t targets all | sed -n 's/^\(fuzz_[A-Za-z0-9_]*\): phony$/\1/p' | sort -u)
[ ${#all[@]} -gt 0 ] || { echo "no fuzz_* targets in $fuzz_build" >&2; exit 1; }
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
cmake --build "$fuzz_build" -j "$(nproc)" --target "${targets[@]}"

if [ -z "$each" ]; then
  each=$(( total / ${#targets[@]} ))
  [ "$each" -ge 1 ] || each=1
fi
limit=(-max_total_time="$each")
[ -n "$runs" ] && limit=(-runs="$runs")

# The readers under test open real files: the targets write each input to a
# scratch file under TMPDIR, in memory when /dev/shm is there.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo /tmp )/kvvx-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
summary=()
for t in "${targets[@]}"; do
  exe=$fuzz_build/bin/$t
  [ -x "$exe" ] || { echo "$t: not built" >&2; status=1; continue; }
  corpus=$scratch/corpus-$t
  mkdir -p "$corpus"
  seeds=$KVVX_ROOT/tests/fuzz/corpus/$t
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  findings=$fuzz_build/findings/$t
  mkdir -p "$findings"
  # Reproducers of crashes, leaks, timeouts and out-of-memory; a slow unit
  # (libFuzzer keeps one past 10 s, also when the machine was merely busy)
  # is reported but not counted.
  count_findings() { find "$findings" -maxdepth 1 -type f ! -name last.log ! -name 'slow-unit-*' | wc -l; }
  before=$(count_findings)
  log "$t: ${limit[*]#-}"
  out=$scratch/$t.log
  rc=0
  # One process (no -jobs: that forks workers and writes their logs into the
  # current folder), started in the scratch folder.
  (cd "$scratch" && exec "$exe" "${limit[@]}" -print_final_stats=1 -timeout=25 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" "$corpus") >"$out" 2>&1 || rc=$?
  found=$(( $(count_findings) - before ))
  [ $rc -ne 0 ] && [ $found -eq 0 ] && found=1
  # The last status line carries the coverage; the final stats the runs.
  runs_done=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out" | tail -n1)
  cov=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$out" | tail -n1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out" | tail -n1)
  line=$(printf '%-20s runs %-11s %-34s exec/s %-7s crashes %s' "$t" "${runs_done:-?}" "${cov:-cov: ?}" "${speed:-?}" "$found")
  echo "$line"
  slow=$(sed -n 's/^stat::slowest_unit_time_sec: *//p' "$out" | tail -n1)
  [ "${slow:-0}" -ge 10 ] && echo "  (slowest input took ${slow} s: see $findings/slow-unit-*)"
  summary+=("$line")
  if [ $found -ne 0 ]; then
    status=1
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$out" | head -n 20 >&2 || true
    echo "full log: $findings/last.log" >&2
    cp "$out" "$findings/last.log"
  fi
done

log "fuzzing summary"
printf '%s\n' "${summary[@]}"
exit $status

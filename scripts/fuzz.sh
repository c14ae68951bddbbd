#!/usr/bin/env bash
# make fuzz: every fuzz target under libFuzzer with ASan and UBSan, two at a
# time on this machine's two cores, each until FUZZ_RUNS runs (10 million)
# or FUZZ_SECONDS (30 minutes). Seeds come from the native tree's corpora;
# each target's corpus grows in build/fuzz/corpus, findings are kept in
# build/fuzz/findings (copy them into fuzz/regressions/ so that make test
# replays them). Prints the runs and the coverage each target reached.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v clang++ >/dev/null || ! dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    clang libclang-rt-14-dev
fi
runs=${FUZZ_RUNS:-10000000}
seconds=${FUZZ_SECONDS:-1800}
targets=(ini pe version png bitmap engine placeholders paths languages)
bash scripts/build.sh >/dev/null  # the native tree makes the seed corpora
cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j2
out=build/fuzz
fuzz_one() {
  local t=$1 dict=()
  mkdir -p "$out/corpus/$t" "$out/findings/$t" "$out/logs"
  cp -n build/native/fuzz-corpus/$t/* "$out/corpus/$t/" 2>/dev/null || true
  cp -n fuzz/regressions/$t/* "$out/corpus/$t/" 2>/dev/null || true
  [ -f fuzz/dictionaries/$t.dict ] && dict=(-dict=fuzz/dictionaries/$t.dict)
  "$out/fuzz/${t}_fuzz" "$out/corpus/$t" "${dict[@]}" -runs="$runs" -max_total_time="$seconds" \
    -max_len=65536 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$t/" >"$out/logs/$t.log" 2>&1 || echo "fuzz: $t found something"
}
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  fuzz_one "${targets[i]}" &
  [ $((i + 1)) -lt ${#targets[@]} ] && fuzz_one "${targets[i + 1]}" &
  wait
done
printf '%-14s %12s %10s %8s %s\n' target runs seconds cov findings
for t in "${targets[@]}"; do
  log=$out/logs/$t.log
  done_line=$(grep -E '^Done [0-9]+ runs' "$log" | tail -1 || true)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | cut -d' ' -f2 || true)
  printf '%-14s %12s %10s %8s %s\n' "$t" "$(awk '{print $2}' <<<"$done_line")" \
    "$(awk '{print $5}' <<<"$done_line")" "${cov:-?}" "$(ls "$out/findings/$t" | wc -l)"
done

#!/usr/bin/env bash
# Build the libFuzzer target and fuzz the translator for SECONDS seconds.
#
#   fuzz/run_fuzz.sh SECONDS [extra libFuzzer options ...]
#
# SFLC_FUZZ_DIR  build and work directory (default: build-fuzz); the corpus
#                grows in $SFLC_FUZZ_DIR/corpus, findings land in
#                $SFLC_FUZZ_DIR/artifacts, the log in $SFLC_FUZZ_DIR/fuzz.log.
# The seeds are the .sfl inputs of the rows and case folders, the simulation tests
# and examples/ (those under 64 KB), collected afresh on every run, and
# $SFLC_FUZZ_GEN_SEEDS (default 40) designs of tests/gen/gen_design.py.
# Exits non-zero when libFuzzer reports a finding.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

secs=${1:?usage: fuzz/run_fuzz.sh SECONDS [libFuzzer options ...]}
shift
dir=${SFLC_FUZZ_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSFLC_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" -j2 --target sflc_fuzz >/dev/null

seeds=$dir/seeds
rm -rf "$seeds"
mkdir -p "$seeds" "$dir/corpus" "$dir/artifacts"
n=0
while IFS= read -r -d '' f; do
  cp "$f" "$seeds/src_$((++n)).sfl"
done < <(find tests/e2e/cases tests/sim examples -name '*.sfl' -size -64k -print0)
# Every .sfl input of the rows of tests/rows.
awk -v dir="$seeds" '/^(===|>>>|<<<) / { out = "" }
  /^<<< .*\.sfl$/ { out = dir "/row_" (++n) ".sfl"; next }
  out != "" && !/^\\ No newline at end of file$/ { print > out }' tests/rows/*.rows
for ((seed = 1; seed <= ${SFLC_FUZZ_GEN_SEEDS:-40}; seed++)); do
  python3 tests/gen/gen_design.py "$seed" "$dir/gen" >/dev/null
  cp "$dir/gen/design.sfl" "$seeds/gen_$seed.sfl"
done
rm -rf "$dir/gen"
echo "fuzz: $(ls "$seeds" | wc -l) seed files, ${secs}s, log in $dir/fuzz.log"

status=0
"$dir/fuzz/sflc_fuzz" -max_total_time="$secs" -timeout=1 -rss_limit_mb=2048 \
  -dict=fuzz/sflc.dict -close_fd_mask=3 -print_final_stats=1 \
  -artifact_prefix="$dir/artifacts/" "$@" "$dir/corpus" "$seeds" >"$dir/fuzz.log" 2>&1 || status=$?
grep -aE ' cov: |^stat::|^SUMMARY|Test unit written|ERROR:|CRASH|TIMEOUT|OOM' \
  "$dir/fuzz.log" | tail -n 12 || true
if ((status != 0)); then
  echo "fuzz: libFuzzer exited with $status; findings:" >&2
  ls -l "$dir/artifacts" >&2
fi
exit "$status"

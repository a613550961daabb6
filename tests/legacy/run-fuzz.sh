#!/bin/sh
# Runs the Paradox reader's fuzz target for a short while over a corpus seeded
# from the shared Paradox fixtures, which sit outside the repository and may
# be missing (the fuzzer then starts from an empty corpus and says so).
# Needs a clang build with -DSELVORA_FUZZ=ON:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSELVORA_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_paradox
#   tests/legacy/run-fuzz.sh build-fuzz [seconds]
# Exits non-zero when the fuzzer finds a crash; the reproducer is left in the
# work folder it names.
set -eu

build=${1:?usage: run-fuzz.sh <build folder> [seconds]}
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
shared=${SELVORA_SHARED_DIR:-$here/../../../shared}
fuzzer=$(cd "$build" && pwd)/tests/fuzz_paradox
[ -x "$fuzzer" ] || { echo "no fuzz target at $fuzzer (configure with clang and -DSELVORA_FUZZ=ON)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz_paradox.XXXXXX")
mkdir -p "$work/corpus"

# Seeds: each fixture table, with its memo file behind it when there is one.
for table in "$shared"/fixtures/paradox/*.db "$shared"/fixtures/paradox/*.DB; do
    [ -f "$table" ] || continue
    name=$(basename "$table")
    stem=${name%.*}
    memo=$(find "$(dirname "$table")" -maxdepth 1 -iname "$stem.mb" | head -n 1)
    length=$(wc -c < "$table")
    seed="$work/corpus/$name"
    printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((length & 255)) $((length >> 8 & 255)) \
        $((length >> 16 & 255)) $((length >> 24 & 255)))" > "$seed"
    cat "$table" >> "$seed"
    [ -n "$memo" ] && cat "$memo" >> "$seed"
done

if [ -z "$(ls -A "$work/corpus")" ]; then
    echo "no shared Paradox fixtures in $shared/fixtures/paradox (optional): fuzzing from an empty corpus"
fi

cd "$work"
echo "fuzzing for $seconds s in $work"
"$fuzzer" -max_total_time="$seconds" -max_len=131072 -rss_limit_mb=1024 -timeout=10 corpus

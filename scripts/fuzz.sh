#!/usr/bin/env bash
# Fuzzes the integer conversion, the INI reader and the bitmap header parser with
# libFuzzer (clang, with the address and undefined-behaviour sanitizers), a million inputs
# each by default, and merges what they find into fuzz/corpus/, which the unit tests replay.
#   scripts/fuzz.sh [runs]
set -euo pipefail
. "$(dirname "$0")/common.sh"
runs=${1:-1000000}

if ! command -v clang++-14 >/dev/null || [ ! -f /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a ]; then
    [ "$(id -u)" -eq 0 ] || die "clang-14 and libclang-rt-14-dev are needed; run this as root"
    step "installing clang and its fuzzing runtime (about a minute)"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev >/dev/null
fi

out="$BUILD/fuzz"
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$ROOT")
sources=("$ROOT/common/IntParse.cpp" "$ROOT/common/IniText.cpp" "$ROOT/common/Bmp.cpp")
for target in Integer Ini Bmp; do
    step "building the $target fuzzer"
    clang++-14 "${flags[@]}" -DKESTROW_FUZZ_CHECK="Check$target" "$ROOT/fuzz/Target.cpp" "${sources[@]}" \
        -o "$out/${target}Fuzz"
done

run() {  # name corpus-folder longest-input
    local name=$1 corpus="$ROOT/fuzz/corpus/$2" work="$out/$2" longest=$3
    rm -rf "$work" && mkdir -p "$work"
    step "fuzzing $name: $runs inputs"
    "$out/${name}Fuzz" -runs="$runs" -max_len="$longest" -timeout=5 -artifact_prefix="$out/" "$work" "$corpus" 2>&1 | tail -n 3
    # Keep the smallest set of inputs that covers everything found.
    "$out/${name}Fuzz" -merge=1 "$corpus" "$work" >/dev/null 2>&1
    step "$name corpus: $(ls "$corpus" | wc -l) inputs in fuzz/corpus/$2"
}
run Integer intparse 256
run Ini initext 256
run Bmp bmp 4096

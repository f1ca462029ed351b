#!/bin/sh
# Builds the libFuzzer target for the user-function texts with clang and runs it.
#   curvlib/fuzz/run.sh [seconds]        (default 60; not part of the build or of CI)
# Work files go to build-fuzz/ at the top of the tree; inputs that crashed are kept in
# curvlib/fuzz/regressions/ and are run first every time.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
out="$top/build-fuzz"
seconds=${1:-60}
mkdir -p "$out/corpus" "$here/regressions"

clang++ -std=c++20 -g -O1 -ffp-contract=off -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$top/curvlib/include" -I"$top/curvlib/src" \
  "$here/expression_fuzz.cpp" "$top"/curvlib/src/expression/*.cpp \
  "$top/curvlib/src/text_store.cpp" "$top/curvlib/src/models.cpp" \
  -o "$out/expression_fuzz"

# Seeds: a few typed texts behind a header of nparm = 4, maximum = 10, z = 1.5, a = 1 .. 10.
seed() {
  python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<hhf10f", 4, 10, 1.5, *range(1, 11)) + sys.argv[1].encode())' "$1" \
    > "$out/corpus/seed-$2"
}
seed 'A1*EXP(-a2*Z)' 1
seed '2e3^2+1.5E-3-1e+2' 2
seed 'log10(z)+asinh(z)-acosh(z+2)*atanh(z/9)/sqrt(abs(z))' 3
seed '(a1+a2*z+a3*z^2)/(1+a4*z+a5*z^2)' 4
seed '-(z-a4)^2/a5^2+{z}*[pi]-e**--z+z-+1' 5
seed 'a10*z+a10+a0+a11*12.34.5' 6

cd "$out"
./expression_fuzz -max_len=248 -max_total_time="$seconds" -artifact_prefix="$here/regressions/" \
  corpus "$here/regressions"

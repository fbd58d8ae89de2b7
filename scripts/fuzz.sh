#!/usr/bin/env bash
# Fuzzes the ANSI interpreter with libFuzzer under AddressSanitizer and UBSan
# for a bounded time (default 45 s; FUZZ_SECONDS=N overrides), after replaying
# the seeds and the kept crash inputs. A new crash input is left in
# build-fuzz/crashes/: move it to tests/ansi/fuzz/regressions/ to keep it.
# Needs clang-14 and libclang-rt-14-dev (scripts/packages.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-45}
out=build-fuzz
mkdir -p "$out/obj" "$out/corpus" "$out/crashes"

flags=(-std=c++20 -O1 -g -I. -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
sources=(term/*.cpp ansi/*.cpp tests/ansi/fuzz/fuzz_input.cpp tests/ansi/fuzz/ansi_fuzz.cpp)
objects=()
for src in "${sources[@]}"; do
  obj="$out/obj/$(echo "$src" | tr / _).o"
  objects+=("$obj")
  if [ ! -e "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$(find term ansi -name '*.h' -newer "$obj")" ]; then
    clang++-14 "${flags[@]}" -c "$src" -o "$obj" &
  fi
done
wait
clang++-14 -fsanitize=fuzzer,address,undefined "${objects[@]}" -o "$out/ansi_fuzz"

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The seeds and every kept crash input, once each.
"$out/ansi_fuzz" -runs=0 tests/ansi/fuzz/seeds tests/ansi/fuzz/regressions
"$out/ansi_fuzz" -max_total_time="$seconds" -timeout=10 -max_len=20000 \
  -artifact_prefix="$out/crashes/" -print_final_stats=1 -dict=tests/ansi/fuzz/ansi.dict \
  "$out/corpus" tests/ansi/fuzz/seeds

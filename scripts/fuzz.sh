#!/usr/bin/env bash
# Fuzzes with libFuzzer under AddressSanitizer and UBSan, for a bounded total
# time (default 45 s; FUZZ_SECONDS=N overrides) shared by the harnesses: the
# ANSI interpreter, whose seeds and kept crash inputs are replayed first. A new
# crash input is left in build-fuzz/crashes/NAME-*: keep it in
# tests/ansi/fuzz/regressions/ and mend the fault.
# Needs clang-14 and libclang-rt-14-dev (scripts/packages.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-45}
out=build-fuzz
mkdir -p "$out/obj" "$out/crashes"

# name, harness source
harnesses=(
  "ansi tests/ansi/fuzz/fuzz_input.cpp"
)
flags=(-std=c++20 -O1 -g -I. -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
throttle() { while [ "$(jobs -rp | wc -l)" -ge 4 ]; do wait -n; done; }  # four compilers at once
compile() {  # source, object, extra flags
  if [ ! -e "$2" ] || [ "$1" -nt "$2" ] || [ -n "$(find term ansi widgets tests/support tests/ansi -name '*.h' -newer "$2")" ]; then
    clang++-14 "${flags[@]}" "${@:3}" -c "$1" -o "$2"
  fi
}
shared=()
for src in term/*.cpp ansi/*.cpp widgets/*.cpp tests/support/console_fixture.cpp tests/ansi/drawing.cpp; do
  shared+=("$out/obj/$(echo "$src" | tr / _).o")
  throttle
  compile "$src" "${shared[-1]}" &
done
for h in "${harnesses[@]}"; do
  read -r name src <<<"$h"
  throttle
  compile "$src" "$out/obj/$name.o" &
done
wait
for h in "${harnesses[@]}"; do
  read -r name src <<<"$h"
  clang++-14 -fsanitize=fuzzer,address,undefined -Wl,--wrap=write \
    "${shared[@]}" "$out/obj/$name.o" -o "$out/${name}_fuzz"
done

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$out/ansi_fuzz" -runs=0 tests/ansi/fuzz/seeds tests/ansi/fuzz/regressions
each=$(( seconds / ${#harnesses[@]} > 0 ? seconds / ${#harnesses[@]} : 1 ))
for h in "${harnesses[@]}"; do
  read -r name src <<<"$h"
  mkdir -p "$out/corpus/$name"
  opts=(-max_len=20000 -dict=tests/ansi/fuzz/ansi.dict) seeds=(tests/ansi/fuzz/seeds) budget=$each
  status=0
  "$out/${name}_fuzz" -max_total_time="$budget" -timeout=10 -artifact_prefix="$out/crashes/$name-" \
    -print_final_stats=1 "${opts[@]}" "$out/corpus/$name" "${seeds[@]}" \
    >"$out/$name.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$out/$name.log" >&2
    echo "fuzz: $name failed (status $status), see $out/$name.log" >&2
    exit 1
  fi
  echo "fuzz: $name $(grep -o 'number_of_executed_units: [0-9]*' "$out/$name.log" | grep -o '[0-9]*$') execs in ${budget} s"
done

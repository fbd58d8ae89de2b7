#!/bin/sh
# Regenerates the README's pictures of the running magazine: the end-to-end
# visits write what the terminal shows as ANSI (UTF-8), iconv turns it into
# code page 437 and ansilove renders it, 8x16 cells, 640x400.
# Usage: tools/screenshots/make.sh [build directory]   (needs iconv, ansilove)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-mag}
out=$root/docs/screenshots
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target rodi e2e_rodi_test
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
RODI_SCREENSHOTS=$work "$build/tests/e2e/e2e_rodi_test" \
  --gtest_filter='MagazineReading.*:MagazinePages.*:MagazineGallery.*' >/dev/null
mkdir -p "$out"
for f in "$work"/*.utf8.ans; do
  name=$(basename "$f" .utf8.ans)
  iconv -f UTF-8 -t CP437 "$f" >"$work/$name.ans"
  ansilove -q -c 80 -o "$out/$name.png" "$work/$name.ans"
  echo "$out/$name.png"
done

#!/bin/sh
# Renders the 21 screen resources to docs/screens/NAME.png with ansilove, so a reader
# sees the issue's look without running it. The twins lose their leading form feed
# first (ansilove would draw it as a glyph).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out="$root/docs/screens"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
for src in "$root"/content/src/screens/*.scr; do
  name=$(basename "$src" .scr)
  case "$name" in
    *_ASC)
      tail -c +2 "$root/content/res/$name.txt" > "$tmp/$name.asc"
      ansilove -q -c 80 -o "$out/$name.png" "$tmp/$name.asc" ;;
    *)
      ansilove -q -o "$out/$name.png" "$root/content/res/$name.ans" ;;
  esac
done

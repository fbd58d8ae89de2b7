#!/bin/sh
# Renders the gallery pictures to PNG for the docs with ansilove (Debian package
# "ansilove"): content/res/ARTn.ans -> docs/gallery/ARTn.png, and what stays on
# screen after each (its last rows under the gallery's prompt, taken from
# app/gallery.cpp) -> docs/gallery/ARTn-last.png.
# Usage: tools/gallery/render_pngs.sh [build directory]
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
prompt=$(sed -n '/kPrompt =/{n;s/^ *"\(.*\)";$/\1/p}' "$root/app/gallery.cpp")
[ -n "$prompt" ] || { echo "render_pngs.sh: no prompt found in app/gallery.cpp" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/gallery/rodi-gallery" --last-screen "$prompt" "$root" "$work"
mkdir -p "$root/docs/gallery"
for n in 1 2 3 4 5 6 7 8 9 10; do
  ansilove -q -o "$root/docs/gallery/ART$n.png" "$root/content/res/ART$n.ans"
  ansilove -q -c 80 -o "$root/docs/gallery/ART$n-last.png" "$work/ART$n.last.ans"
done

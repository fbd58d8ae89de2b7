#!/bin/sh
# Renders the gallery pictures to PNG for the docs with ansilove (Debian package
# "ansilove"): content/res/ARTn.ans -> docs/gallery/ARTn.png.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$root/docs/gallery"
for n in 1 2 3 4 5 6 7 8 9 10; do
  ansilove -q -o "$root/docs/gallery/ART$n.png" "$root/content/res/ART$n.ans"
done

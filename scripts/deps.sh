#!/usr/bin/env bash
# Installs the Debian packages that are missing: `deps.sh run` those that
# building and running the magazine needs (scripts/packages-run.txt), `deps.sh`
# those and everything the tests need too (scripts/packages.txt).
set -euo pipefail
here=$(dirname "$0")
lists=("$here/packages-run.txt")
[ "${1:-all}" = run ] || lists+=("$here/packages.txt")
missing=()
while read -r pkg; do
  case "$pkg" in ''|'#'*) continue ;; esac
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done < <(cat "${lists[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt-get update -qq
  # The tests start an SSH server of their own: installing one must not start
  # the system's on port 22. Debian's policy hook says so for this install only.
  policy=/usr/sbin/policy-rc.d
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' > "$policy" && chmod 755 "$policy"
    trap 'rm -f "$policy"' EXIT
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

#!/usr/bin/env bash
# The text fit on the example pack, under Wine: it walks every page of both
# wizards and the language dialog in every language at both densities (a
# walk that stops early is a warning of kind text-fit) and lists the texts
# cut off, which it prints for the pack's authors.
#   fit_example.sh LINT_EXE PACKDIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
lint=$1 pack=$2
source "$root/scripts/player.sh"
trap player_unregister EXIT
player_register "$root/build/fit-player" with-pack
status=0
"$root/scripts/wine.sh" "$lint" "Z:${pack//\//\\}" --fit --json >"$root/build/fit.json" || status=$?
# 0: nothing found, 1: findings; anything else: the check itself failed.
[ "$status" -le 1 ]
python3 - "$root/build/fit.json" <<'PY'
import json, sys
findings = json.load(open(sys.argv[1]))
stopped = [f for f in findings if f["kind"] == "text-fit" and f["severity"] == "warning"]
assert not stopped, stopped
assert all(f["kind"] == "text-fit" for f in findings), "the lint found more than texts cut off"
for f in findings:
    print(f'{f["file"]}: {f["message"]}')
PY

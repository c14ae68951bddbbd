#!/usr/bin/env bash
# The lint passes the example pack, fails a copy saved as UTF-8 by an
# editor, with the same findings in its JSON, and refuses a bad command line.
#   lint_pack.sh LINT PACKDIR
set -euo pipefail
lint=$1 pack=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$lint" "$pack"

cp -r "$pack" "$work/pack"
iconv -f UTF-16 -t UTF-8 "$pack/1033.ini" | sed 's/^INSTALLER_WELCOME_PAGE_NOTES=/INSTALLER_WELCOME_PAGE_NOTS=/' \
  >"$work/pack/1033.ini"
status=0
"$lint" "$work/pack" >"$work/report" || status=$?
cat "$work/report"
[ "$status" -eq 1 ]
grep -q '^1033.ini: error: saved as UTF-8 without a byte-order mark' "$work/report"
grep -q '^1033.ini:[0-9]*: warning: .*INSTALLER_WELCOME_PAGE_NOTS' "$work/report"
grep -q '^1033.ini:[0-9]*: error: no \[INSTALLER_WELCOME_PAGE\] INSTALLER_WELCOME_PAGE_NOTES' "$work/report"
status=0
"$lint" "$work/pack" --json >"$work/json" || status=$?
[ "$status" -eq 1 ]
python3 - "$work/json" <<'PY'
import json, sys
found = {(f["file"], f["severity"], f["kind"]) for f in json.load(open(sys.argv[1]))}
assert found == {("1033.ini", "error", "encoding"), ("1033.ini", "warning", "unknown-key"),
                 ("1033.ini", "error", "missing-key")}, found
PY

status=0
"$lint" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ]

#!/usr/bin/env bash
# What scripts and shells rely on, run against the built programs: the JSON comparison of a
# changed demo database matches its published schema (and a broken report does not), quorvex
# answers --help and --version without any display, and the bash completion offers commands,
# formats and alias names.
# scripting.sh QUORVEX-CLI QUORVEX SCHEMA VALIDATE-JSON COMPLETION
set -euo pipefail
cli=$1 gui=$2 schema=$3 validate=$4 completion=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A home of the test's own: the built-in DEMO alias builds a fresh demo database in it.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export QUORVEX_ALIASES="$work/aliases.ini" QUORVEX_PASSWORD=tiger
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cli" export DEMO SCOTT - "$work/before.OBJ" 2>/dev/null
for statement in "DROP TABLE BONUS" "CREATE TABLE NOTES (ID NUMBER(4) PRIMARY KEY)" \
    "CREATE INDEX EMP_JOB ON EMP (JOB)"; do
    "$cli" sql DEMO SCOTT - "$statement" >/dev/null
done
status=0
"$cli" compare --db DEMO SCOTT - "$work/before.OBJ" --format json --all -o "$work/report.json" \
    2>/dev/null || status=$?
[[ $status -eq 1 ]] || fail "compare --format json exited with $status, not 1"
"$validate" "$schema" "$work/report.json" || fail "the report does not match its schema"
python3 - "$work/report.json" <<'CHECK' || fail "the report's states"
import json, sys
report = json.load(open(sys.argv[1], encoding="utf-8"))
states = {(item["kind"], item["name"]): item["state"] for item in report["items"]}
expected = {("Table", "NOTES"): "removed", ("Table", "BONUS"): "added",
            ("Table", "EMP"): "changed", ("Table", "DEPT"): "unchanged"}
wrong = {key: states.get(key) for key, state in expected.items() if states.get(key) != state}
assert report["changes"] and report["source"] == "DEMO.SCOTT" and not wrong, wrong
CHECK
sed 's/"changed"/"modified"/' "$work/report.json" >"$work/broken.json"
if "$validate" "$schema" "$work/broken.json" 2>/dev/null; then
    fail "a report with an unknown state passed the schema"
fi

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$gui" --version)
[[ $version =~ ^quorvex\ [0-9]+(\.[0-9]+)+$ ]] || fail "quorvex --version printed \"$version\""
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$gui" --help | grep -q "^Usage: quorvex " ||
    fail "quorvex --help"

# shellcheck source=/dev/null
source "$completion"
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _quorvex_cli
    echo "${COMPREPLY[*]}"
}
PATH="$(dirname "$cli"):$PATH"
printf '[PROD]\nDRIVER=ORACLE\nHOST=db.example.com\n' >"$QUORVEX_ALIASES"
cd "$work"
while IFS='|' read -r words expected; do
    read -r -a args <<<"$words"
    [[ $words == *' ' ]] && args+=("")
    got=$(offered quorvex-cli "${args[@]}")
    [[ $got == "$expected" ]] || fail "completing \"quorvex-cli $words\" offered \"$got\", not \"$expected\""
done <<'CASES'
co|compare
s|sql script
script DEMO u p --s|--stop-on-error
compare --f|--format
sql DEMO u p --format |text csv json
compare --format |text json
diagram --zoom |1 2 4 8 16
export |DEMO PROD
compare --db P|PROD
compare before|before.OBJ
export DEMO SCOTT |
CASES
echo "scripting interfaces: all checks passed"

# Sourced by the packaging checks: counts what passes and fails, one line a
# check, and gives a scratch folder that goes with the script.
#   pass LABEL / fail LABEL       a check decided by the script
#   check LABEL COMMAND...        passes when COMMAND succeeds (its output hidden)
#   summary TITLE                 prints the counts; fails when any check failed
failures=0
passes=0
pass() { echo "ok   $*"; passes=$((passes + 1)); }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() {
    local label=$1
    shift
    if "$@" >/dev/null 2>&1; then pass "$label"; else fail "$label"; fi
}
summary() {
    echo "$1: $passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

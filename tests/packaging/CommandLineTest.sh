#!/usr/bin/env bash
# The conventions of the three programs' command lines, as one table: --help and --version
# exit 0 (the version is the package's), and a usage error names the word refused and points
# at --help.
# Usage: CommandLineTest.sh VERSION VTRCTL VTR300_SIM [VTRCONFIG]
set -uo pipefail
version=$1
shift
failures=0
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

for program in "$@"; do
    name=${program##*/}
    #      arguments        status  stream  expected text
    while read -r arguments status stream expected; do
        # shellcheck disable=SC2086 # the arguments are words
        env -u DISPLAY -u WAYLAND_DISPLAY "$program" $arguments >"$out" 2>"$err"
        got=$?
        text=$(cat "${!stream}")
        expected=${expected//@NAME@/$name}
        expected=${expected//@VERSION@/$version}
        # X: any failure status (vtr300-sim ends usage errors with 1, the others with 2).
        if { [ "$status" = X ] && [ "$got" = 0 ]; } || { [ "$status" != X ] && [ "$got" != "$status" ]; } ||
            [[ $text != *"$expected"* ]]; then
            echo "FAIL: $name $arguments: exit $got (expected $status), $stream: $text" >&2
            failures=$((failures + 1))
        fi
    done <<'TABLE'
--help          0   out     --version
--version       0   out     @NAME@ @VERSION@
--bogus         X   err     --bogus
--bogus         X   err     --help
TABLE
done
exit $((failures > 0))

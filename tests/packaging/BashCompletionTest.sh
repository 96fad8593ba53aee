#!/usr/bin/env bash
# Bash completion of vtrctl and vtr300-sim: the completion functions called as bash calls them
# (COMP_WORDS, COMP_CWORD) over a table of command lines, and the word lists compared with what
# each program's --help names, so that a new command or option cannot be missed.
# Usage: BashCompletionTest.sh COMPLETION_DIR VTRCTL VTR300_SIM
set -uo pipefail
export LC_ALL=C
completion=$1
vtrctl=$2
sim=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
touch "$scratch/line3.vtr" "$scratch/notes.txt" "$scratch/unit.json"
mkdir "$scratch/plant"
# shellcheck source=/dev/null
source "$completion/vtrctl"
# shellcheck source=/dev/null
source "$completion/vtr300-sim"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# complete FUNCTION EXPECTED WORD... : the last word is the one being completed; EXPECTED is
# the replies, sorted and joined by blanks.
complete_line() {
    local function=$1 expected=$2
    shift 2
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    "$function"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    [ "$got" = "$expected" ] || fail "${COMP_WORDS[*]}: got '$got', expected '$expected'"
}

cd "$scratch" || exit 1
complete_line _vtrctl "read-coils read-input-registers" vtrctl --tcp h read-
complete_line _vtrctl "line3.vtr plant" vtrctl --document ""
complete_line _vtrctl "even" vtrctl --rtu COM3 --parity e
complete_line _vtrctl "scan-mode scan-parameters" vtrctl --tcp h --slave 3 set sc
complete_line _vtrctl "baud= interface= parity= slave-high=" vtrctl --tcp h set rtu ""
complete_line _vtrctl "rs485-2wire rs485-4wire" vtrctl --tcp h set rtu interface = rs4
complete_line _vtrctl "parity=odd" vtrctl --tcp h set rtu parity=o
complete_line _vtrctl "gateway= ip= keepalive= mask=" vtrctl --tcp h set tcp 0 ""
complete_line _vtrctl "input output vacant" vtrctl --tcp h set analog-states 1 input ""
complete_line _vtrctl "0 1 2 3 4 5 6 7" vtrctl --tcp h reset digital ""
complete_line _vtrctl "d0 d1 d2 d3 d4 d5 d6 d7" vtrctl --tcp h watch a0 d
complete_line _vtrctl "--hex --json" vtrctl --tcp h show --
complete_line _vtr300_sim "plant unit.json" vtr300-sim --profile ""
complete_line _vtr300_sim "delay=" vtr300-sim --fault de

# The lists against the help: every option, command and set block the help names is offered.
words() { xargs -n1 <<<"$1" | sort -u; }
compare() {
    local what=$1 offered=$2 named=$3
    local missing
    missing=$(comm -13 <(words "$offered") <(words "$named") | xargs)
    [ -z "$missing" ] || fail "$what named by --help but not completed: $missing"
}
help=$("$vtrctl" --help)
compare "vtrctl options" "$_vtrctl_options" "$(grep -o -- '--[a-z0-9-]*' <<<"$help" | grep -v -- '--json')"
compare "vtrctl commands" "$_vtrctl_commands" \
    "$(sed -n '/^Subcommands:/,/^$/p' <<<"$help" | sed -n 's/^  \([a-z-]*\).*/\1/p')"
compare "vtrctl set blocks" "$_vtrctl_set_blocks" "$(sed -n 's/^  set \([a-z-]*\).*/\1/p' <<<"$help")"
compare "vtr300-sim options" "$_vtr300_sim_options" "$("$sim" --help | grep -o -- '--[a-z0-9-]*')"
exit $((failures > 0))

#!/bin/bash
# The bash completion of kr7ctl completes actions, options, values and the
# port names kr7ctl lists.
#   CompletionTest.sh COMPLETION_FILE KR7CTL
set -u
source "$1"
folder=$(mktemp -d "${TMPDIR:-/tmp}/kr7-completion.XXXXXX")
trap 'rm -rf "$folder"' EXIT
ln -s /dev/null "$folder/COM5"
export KR7_PORTS=$folder

status=0
expect() { # expect "WORDS..." "COMPLETIONS"
    read -r -a COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_WORDS[0]=$2
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _kr7ctl
    local got="${COMPREPLY[*]}"
    [ "$got" = "$3" ] || { echo "'$1': got '$got', expected '$3'"; status=1; }
}
kr7ctl=$2
expect "kr7ctl gl" "$kr7ctl" "glyphs glyph"
expect "kr7ctl --dry" "$kr7ctl" "--dry-run"
expect "kr7ctl mode c" "$kr7ctl" "cross"
expect "kr7ctl --port C" "$kr7ctl" "COM5"
expect "kr7ctl --port=C" "$kr7ctl" "--port=COM5"
exit $status

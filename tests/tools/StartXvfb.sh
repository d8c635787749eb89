# Sourced by the test scripts that need an X server of their own:
#   start_xvfb NAME WIDTHxHEIGHT
# makes a work folder $work (named after NAME), starts Xvfb on a free display
# named in $work/display, and ends the server and removes the folder when the
# script exits.
start_xvfb() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "$2x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
    tries=0
    while [ ! -s "$work/display" ] && [ "$tries" -lt 100 ]; do tries=$((tries + 1)); sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
}

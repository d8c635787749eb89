#!/bin/sh
# The demo of ./project run, started with no input on a virtual X server: it
# connects at once, the ticker and the vertical pages reach the emulated
# display, "-service" opens on the service page, and the settings of the
# user (and of the build's own copy) are not touched.
#   DemoTest.sh SOURCE_DIR BUILD_DIR
# Exits 77 (skipped) where Xvfb is missing.
set -u
here=$1
build=$2
command -v Xvfb >/dev/null 2>&1 || { echo "skipped: Xvfb is missing"; exit 77; }
. "$(dirname "$0")/StartXvfb.sh"
start_xvfb kr7-demotest 1280x800

own="$build/bin/KR7Controller.ini"
before=$(cat "$own" 2>/dev/null | md5sum)
status=0

# One demo run: waits until the display has received both texts, then ends
# the controller as a desktop would (SIGTERM).
demo() {
    name=$1
    shift
    dir="$work/$name"
    env -u WAYLAND_DISPLAY DISPLAY=":$(cat "$work/display")" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_STATE_HOME="$work/home/.state" KR7_DEMO_DIR="$dir" sh "$here/tools/run-demo.sh" "$build" "$@" \
        >"$work/$name.log" 2>&1 &
    pid=$!
    tries=0
    until grep -q 'Witaj' "$dir/emulator.log" 2>/dev/null && grep -q 'Teletekst pionowy' "$dir/emulator.log" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 300 ]; then
            echo "$name: the ticker and the pages did not reach the display within 30 s"
            cat "$work/$name.log" "$dir/emulator.log" 2>/dev/null | tail -20
            status=1
            break
        fi
        sleep 0.1
    done
    controller=$(pgrep -P "$pid" -x KR7Controller)
    [ -n "$controller" ] && kill -TERM "$controller"
    wait "$pid"
}

demo plain
grep -q '^ActivePageIndex=0' "$work/plain/settings/KR7Controller.ini" || { echo "plain: not on the preview"; status=1; }
demo service -- -service
grep -q '^ActivePageIndex=4' "$work/service/settings/KR7Controller.ini" || { echo "-service: not on the service page"; status=1; }

[ ! -e "$work/home/.config/KR7Controller" ] || { echo "the user's settings folder was written"; status=1; }
[ "$(cat "$own" 2>/dev/null | md5sum)" = "$before" ] || { echo "the build's own settings changed"; status=1; }
exit $status

#!/usr/bin/env bash
# Starts each program on a virtual screen, opens every one of its windows as a user would and
# saves a picture of each, to compare with the layouts.
#
#   scripts/screenshots.sh [build-dir] [output-dir]
#
# The programs come from build-dir (default build/release; they are built there first), the
# pictures go to output-dir (default build/screenshots):
#   quarvel-form1-area.png, quarvel-form1-carboplatin.png, quarvel-form2.png, quarvel-form3.png,
#   kelvio-frmmain.png, ostrand-frmmain.png, ostrand-frmabout.png, ostrand-frmabout-mail-link.png
# There is no window manager on the virtual screen, so the pictures show client areas only,
# without title bars.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/release}"
out="${2:-build/screenshots}"

scripts/deps.sh --tests
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target Quarvel Kelvio Ostrand
mkdir -p "$out"

# Window titles are matched as UTF-8.
export LC_ALL=C.UTF-8

# A display number that no other X server holds.
display=90
while [[ -e "/tmp/.X$display-lock" || -e "/tmp/.X11-unix/X$display" ]]; do
    display=$((display + 1))
done
export DISPLAY=":$display"

# What this script started, ended by their ids: the programs first, then the screen.
programs=()
xvfb=""
scratch=$(mktemp -d)
finish() {
    local pid
    for pid in "${programs[@]}" $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap finish EXIT

Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.1
done
xwininfo -root >/dev/null 2>&1 || { echo "the virtual screen did not start" >&2; exit 1; }

# Starts a program in the background; its settings and caches go to a scratch home.
start() {
    HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" \
        "$@" >"$scratch/$(basename "$1").log" 2>&1 &
    programs+=("$!")
}

# The id of the shown window with exactly this title, once it is there.
window() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)
        if [[ -n "$id" ]]; then
            echo "$id"
            return
        fi
        sleep 0.1
    done
    echo "no window \"$1\" came up" >&2
    return 1
}

# The size of a window as WIDTHxHEIGHT.
size_of() {
    xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'
}

# A pixel of the layouts is 15 twips; this clicks the middle of a control given in twips from
# the client area's top-left corner.
click() {
    local id=$1 left=$2 top=$3 width=$4 height=$5
    xdotool mousemove --window "$id" $(( (left + width / 2) / 15 )) $(( (top + height / 2) / 15 )) click 1
    sleep 0.5
}

# A picture of a window after it has had `settle` seconds (default 0.5) to finish drawing.
shot() {
    sleep "${3:-0.5}"
    import -window "$1" "$out/$2.png"
    echo "$out/$2.png ($(size_of "$1"))"
}

# Quarvel: both panels of the main window, the explanation and the About window.
start "$build/dosecalc/Quarvel"
form1=$(window "Quarvel2.0")
shot "$form1" quarvel-form1-area
click "$form1" 3000 2760 400 350 # Option2, by its round button
shot "$form1" quarvel-form1-carboplatin
click "$form1" $((120 + 360)) $((120 + 2280)) 2055 255 # Command3 in Frame2
shot "$(window "卡铂AUC给药计算说明")" quarvel-form2
click "$form1" 1920 3360 735 375 # Command5
shot "$(window "软件说明")" quarvel-form3

# Kelvio: its one window.
start "$build/energy/Kelvio"
shot "$(window "Kelvio\\(REE\\)")" kelvio-frmmain

# Ostrand: the main window, then the About window, plain and with the pointer on the mail link.
# The browser engine's sandbox cannot start as root; the tests switch it off the same way.
if (( EUID == 0 )); then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
start "$build/ipupdate/Ostrand"
# A message of the start-up checks comes before the main window, under the same title.
main=$(window "Ostrand")
if [[ "$(size_of "$main")" != "312x166" ]]; then
    shot "$main" ostrand-message
    xdotool key --window "$main" Return
    sleep 0.5
    main=$(window "Ostrand")
fi
shot "$main" ostrand-frmmain
click "$main" 1680 2040 1335 375 # Command2
about=$(window "关于本软件")
shot "$about" ostrand-frmabout
xdotool mousemove --window "$about" $(( (1440 + 1575 / 2) / 15 )) $(( (720 + 255 / 2) / 15 ))
# Taken before the link's tooltip comes up over the web link below it.
shot "$about" ostrand-frmabout-mail-link 0.2

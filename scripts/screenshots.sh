#!/usr/bin/env bash
# Starts each program on a virtual screen, opens every one of its windows as a user would and
# saves a picture of each, to compare with the layouts.
#
#   scripts/screenshots.sh [--scale N] [build-dir] [output-dir]
#
# The programs come from build-dir (default build/release; they are built there first), the
# pictures go to output-dir (default build/screenshots):
#   quarvel-form1-area.png, quarvel-form1-carboplatin.png, quarvel-form2.png, quarvel-form3.png,
#   kelvio-frmmain.png, ostrand-frmmain.png, ostrand-frmabout.png, ostrand-frmabout-mail-link.png,
# and the calculators once more with figures typed in and worked out:
#   quarvel-form1-area-figures.png, quarvel-form1-carboplatin-figures.png, kelvio-frmmain-figures.png
# There is no window manager on the virtual screen, so the pictures show client areas only,
# without title bars.
#
# --scale N draws every window N times as large, as on a high-resolution screen
# (QT_SCALE_FACTOR=N); the pictures are then named with "@Nx", quarvel-form2@2x.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scale=1
if [[ "${1:-}" == "--scale" ]]; then
    scale="${2:?--scale needs a whole number}"
    shift 2
fi
if ! [[ "$scale" =~ ^[1-9]$ ]]; then
    echo "--scale takes a whole number from 1 to 9" >&2
    exit 2
fi
suffix=""
if (( scale != 1 )); then
    suffix="@${scale}x"
    export QT_SCALE_FACTOR="$scale"
fi

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

# The screen takes the first display number that no other X server holds and writes it out
# once it accepts connections, so two runs at once, or a run right after another, never meet.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [[ -s "$scratch/display" ]] && break
    sleep 0.1
done
[[ -s "$scratch/display" ]] || { echo "the virtual screen did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$scratch/display")"
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

# A pixel of the layouts is 15 twips, drawn as `scale` pixels of the screen.
screen_pixels() {
    echo $(( $1 * scale / 15 ))
}

# Clicks the middle of a control given in twips from the client area's top-left corner.
click() {
    local id=$1 left=$2 top=$3 width=$4 height=$5
    point "$id" $(( left + width / 2 )) $(( top + height / 2 ))
    xdotool click 1
    sleep 0.5
}

# Moves the pointer onto a point given in twips from the client area's top-left corner.
point() {
    xdotool mousemove --window "$1" "$(screen_pixels "$2")" "$(screen_pixels "$3")"
}

# Clicks into a box given in twips, as click does, and types `text` there.
type_into() {
    click "$1" "$2" "$3" "$4" "$5"
    xdotool type --delay 30 "$6"
}

# A picture of a window after it has had `settle` seconds (default 0.5) to finish drawing.
shot() {
    sleep "${3:-0.5}"
    import -window "$1" -strip "$out/$2$suffix.png"
    echo "$out/$2$suffix.png ($(size_of "$1"))"
}

# Quarvel: both panels of the main window, as they start and with figures worked out, the
# explanation and the About window. Boxes in the panels count from the frame's corner (120, 120).
start "$build/dosecalc/Quarvel"
form1=$(window "Quarvel2.0")
shot "$form1" quarvel-form1-area
type_into "$form1" $((120 + 840)) $((120 + 480)) 975 315 170   # Text1, height
type_into "$form1" $((120 + 3000)) $((120 + 495)) 855 315 60   # Text2, weight
type_into "$form1" $((120 + 1920)) $((120 + 1815)) 1215 315 100 # Text3, dose per m²
shot "$form1" quarvel-form1-area-figures
click "$form1" 3000 2760 400 350 # Option2, by its round button
shot "$form1" quarvel-form1-carboplatin
type_into "$form1" $((120 + 720)) $((120 + 465)) 855 300 60  # Text4, age
type_into "$form1" $((120 + 720)) $((120 + 840)) 855 300 70  # Text5, weight
type_into "$form1" $((120 + 720)) $((120 + 1200)) 855 300 88 # Text6, creatinine
shot "$form1" quarvel-form1-carboplatin-figures
click "$form1" $((120 + 360)) $((120 + 2280)) 2055 255 # Command3 in Frame2
shot "$(window "卡铂AUC给药计算说明")" quarvel-form2
click "$form1" 1920 3360 735 375 # Command5
shot "$(window "软件说明")" quarvel-form3

# Kelvio: its one window, as it starts and with a man's resting energy worked out.
start "$build/energy/Kelvio"
kelvio=$(window "Kelvio\\(REE\\)")
shot "$kelvio" kelvio-frmmain
type_into "$kelvio" 1200 600 2415 375 70   # Text1, weight
type_into "$kelvio" 1200 1080 2415 375 175 # Text2, height
type_into "$kelvio" 1200 1560 2415 375 30  # Text3, age
click "$kelvio" 240 2280 1695 375           # Command1
shot "$kelvio" kelvio-frmmain-figures

# Ostrand: the main window, then the About window, plain and with the pointer on the mail link.
# The browser engine's sandbox cannot start as root; the tests switch it off the same way.
if (( EUID == 0 )); then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
start "$build/ipupdate/Ostrand"
# A message of the start-up checks comes before the main window, under the same title.
main=$(window "Ostrand")
if [[ "$(size_of "$main")" != "$(screen_pixels 4680)x$(screen_pixels 2490)" ]]; then
    shot "$main" ostrand-message
    xdotool key --window "$main" Return
    sleep 0.5
    main=$(window "Ostrand")
fi
shot "$main" ostrand-frmmain
click "$main" 1680 2040 1335 375 # Command2
about=$(window "关于本软件")
shot "$about" ostrand-frmabout
point "$about" $(( 1440 + 1575 / 2 )) $(( 720 + 255 / 2 ))
# Taken before the link's tooltip comes up over the web link below it.
shot "$about" ostrand-frmabout-mail-link 0.2

#!/usr/bin/env bash
# Measures the three programs against bare Qt references built in the same tree, and prints the
# benchmark table (ratios against the reference measured in the same run).
#
#   scripts/bench.sh [runs]          (15 runs per start-up figure by default)
#
# How each figure is taken:
# - Start-up to the first shown window, and peak memory: bench_startup starts each program as a
#   whole process, again and again, interleaved with the reference, and times it from fork to
#   exit; the peak resident memory is wait4's ru_maxrss (what /usr/bin/time -v reports). The
#   programs are not changed for it and read no setting of ours: Qt itself loads the plugin
#   bench/firstshown into any Qt program started with QT_QPA_GENERIC_PLUGINS=firstshown, and the
#   plugin ends the process (exit code 42) right after its first window has been exposed and
#   painted. The reference, bench_bare, is one window with a label and a text box, ended by the
#   same plugin. Medians after one unmeasured warm-up round; offscreen, then under Xvfb.
# - Ostrand from start to Command1 enabled: the same plugin ends Ostrand when Command1 becomes
#   enabled, which it does once the provider page has loaded; bench_startup serves that page on
#   loopback (this build points Ostrand's provider host there). The reference, bench_bareweb,
#   is a bare engine page loading the same page and ending when it has.
# - One keystroke in Quarvel per panel, and the numeric rules per call: Google Benchmark, each
#   against a bare Qt counterpart; heap allocations are counted through an interposed malloc,
#   which Qt's containers and operator new both go through.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-15}"
scripts/deps.sh --tests

build=build/bench
port=18123
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DOSTRAND_PROVIDER_HOST="127.0.0.1:$port" >/dev/null

# What exists of the programs is measured; the rest is said to be missing.
targets=$(ninja -C "$build" -t targets all)
available=()
for target in bench_startup firstshown bench_bare bench_bareweb bench_rules bench_keystroke Kelvio Quarvel Ostrand; do
    if grep -q "^$target: " <<<"$targets"; then
        available+=("$target")
    else
        echo "(not built here: $target)" >&2
    fi
done
cmake --build "$build" --target "${available[@]}" -j "$(nproc)" >&2
have() { [[ " ${available[*]} " == *" $1 "* ]]; }

export QT_PLUGIN_PATH="$PWD/$build/bench/plugins"
export QT_QPA_GENERIC_PLUGINS=firstshown
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
if (( EUID == 0 )); then
    # The engine's sandbox cannot start as root; the engine's own setting switches it off.
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi

calculators=()
have Kelvio && calculators+=("Kelvio=$build/energy/Kelvio")
have Quarvel && calculators+=("Quarvel=$build/dosecalc/Quarvel")

table=$(mktemp)
xvfb_pid=""
cleanup() {
    rm -f "$table"
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# A measurement that fails leaves a line in the table and the others go on.
missed() {
    echo "($1: not measured, see the messages above)" >>"$table"
    status=1
}
status=0

# The calculators have goals; Ostrand, which starts a browser engine, is shown for comparison.
startup() {
    local label=$1
    echo "== Start-up, $label ($runs runs each)" >&2
    if (( ${#calculators[@]} )); then
        "$build/bench/bench_startup" --runs "$runs" --measure "start-up, $label" \
            --time-goal "<= 1.3" --memory-goal "<= 1.2" \
            "bare=$build/bench/bench_bare" "${calculators[@]}" >>"$table" || missed "start-up, $label"
    fi
    if have Ostrand; then
        "$build/bench/bench_startup" --runs "$runs" --measure "start-up, $label" \
            "bare=$build/bench/bench_bare" "Ostrand=$build/ipupdate/Ostrand" >>"$table" || missed "start-up, $label"
    fi
}

if (( ${#calculators[@]} )) || have Ostrand; then
    QT_QPA_PLATFORM=offscreen startup offscreen

    display=""
    for n in $(seq 90 120); do
        if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then display=":$n"; break; fi
    done
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X${display#:} ]] && break; sleep 0.1; done
    DISPLAY="$display" QT_QPA_PLATFORM=xcb startup Xvfb
    kill "$xvfb_pid"
    xvfb_pid=""
fi

if have Ostrand && have bench_bareweb; then
    echo "== Ostrand to Command1 enabled, page on loopback ($runs runs each)" >&2
    QT_QPA_PLATFORM=offscreen QT_QPA_GENERIC_PLUGINS="firstshown:enabled=Command1" \
        "$build/bench/bench_startup" --runs "$runs" --serve bench/modify-new.htm --port "$port" \
        --measure "page loaded, confirm enabled, offscreen" --time-goal "<= 1.2" --memory-goal "-" \
        "bare page=$build/bench/bench_bareweb http://127.0.0.1:$port/modify-new.htm" \
        "Ostrand=$build/ipupdate/Ostrand" >>"$table" || missed "Ostrand to Command1 enabled"
fi

unset QT_QPA_GENERIC_PLUGINS
if have bench_keystroke; then
    echo "== One keystroke in Quarvel" >&2
    "$build/bench/bench_keystroke" >>"$table" || missed "keystroke"
fi
if have bench_rules; then
    echo "== Numeric text rules per call" >&2
    "$build/bench/bench_rules" >>"$table" || missed "numeric text rules"
fi

echo
echo "Benchmarks of $(git rev-parse --short HEAD 2>/dev/null || echo 'this tree') on $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $(date -u '+%Y-%m-%d %H:%M UTC')"
"$build/bench/bench_startup" --header
cat "$table"
exit "$status"

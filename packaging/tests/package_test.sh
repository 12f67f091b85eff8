#!/usr/bin/env bash
# Builds the Debian package from the build tree as it stands, unpacks it as a user's machine
# would hold it, and starts each program from the unpacked files.
#
#   package_test.sh <build dir> <program>=<its built file>... [-- <program without a target>...]
#
# A program named after "--" has no target in this build yet; it is reported, not tested.
set -euo pipefail

build=$1
shift
programs=()
built_files=()
while (( $# )) && [[ $1 != -- ]]; do programs+=("${1%%=*}"); built_files+=("${1#*=}"); shift; done
(( $# )) && shift
not_built=("$@")

prefix=org.example.desktrio
icon_sizes=(16 22 24 32 48 64 128 256)
# How long each program must stay up to count as started.
stay_up_seconds=3

fail() { echo "FAIL: $*" >&2; exit 1; }

for program in "${not_built[@]}"; do
    echo "not in this build yet, not tested: $program"
done
(( ${#programs[@]} )) || fail "no program is built yet: nothing to package"
# The package is made of the build tree as it is; packaging does not build.
for i in "${!programs[@]}"; do
    [[ -x ${built_files[$i]} ]] || fail "${programs[$i]} is not built yet: run cmake --build first"
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Package what the build tree holds; the package's scratch files stay in the temporary folder.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$work"/out/desktrio_*.deb)
[[ -f ${debs[0]} && ${#debs[@]} -eq 1 ]] || fail "expected one desktrio_*.deb, found: ${debs[*]}"
deb=${debs[0]}
echo "built $(basename "$deb")"

# The libraries come from the binaries; the fonts are named by hand so Chinese renders.
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
[[ $depends == *fonts-noto-cjk* ]] || fail "the package does not depend on fonts-noto-cjk"
[[ $depends == *libqt6widgets6* ]] || fail "the Qt libraries are missing from the computed dependencies"

root=$work/root
dpkg-deb -x "$deb" "$root"

for program in "${programs[@]}"; do
    id=$prefix.$program
    [[ -x $root/usr/bin/$program ]] || fail "usr/bin/$program is not in the package"
    for file in "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
                "usr/share/icons/hicolor/scalable/apps/$id.svg"; do
        [[ -s $root/$file ]] || fail "$file is not in the package"
    done
    for size in "${icon_sizes[@]}"; do
        png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
        [[ -s $png ]] || fail "the ${size}x${size} icon of $program is not in the package"
        [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] \
            || fail "the ${size}x${size} icon of $program is $(file -b "$png")"
    done
done

# The desktop entries, metainfo and icons must fit together as software centres read them.
appstreamcli validate-tree --no-net "$root" >"$work/tree.log" 2>&1 \
    || { cat "$work/tree.log" >&2; fail "the installed tree does not validate"; }

# Start every program at once from the unpacked files, with a home of its own so nothing of the
# user's is read or written, and see that each is still running a few seconds later.
export QT_QPA_PLATFORM=offscreen
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The browser engine's sandbox cannot start as root.
(( EUID != 0 )) || export QTWEBENGINE_DISABLE_SANDBOX=1
for program in "${programs[@]}"; do
    (cd "$work" && exec "$root/usr/bin/$program") >"$work/$program.log" 2>&1 &
    pids+=($!)
done
sleep "$stay_up_seconds"
failed=0
for i in "${!programs[@]}"; do
    program=${programs[$i]}
    if kill -0 "${pids[$i]}" 2>/dev/null; then
        echo "started from the package and running: $program"
    else
        wait "${pids[$i]}" && status=0 || status=$?
        echo "FAIL: $program ended within $stay_up_seconds s (exit status $status):" >&2
        cat "$work/$program.log" >&2
        failed=1
    fi
done
exit $failed

#!/usr/bin/env bash
# Builds the programs and starts the one named: Quarvel, Kelvio or Ostrand.
set -euo pipefail
cd "$(dirname "$0")/.."

program="${1:-}"
case "$program" in
    Quarvel) dir=dosecalc ;;
    Kelvio) dir=energy ;;
    Ostrand) dir=ipupdate ;;
    *) echo "usage: scripts/run.sh Quarvel|Kelvio|Ostrand" >&2; exit 2 ;;
esac

scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release --target "$program"
# Ostrand's browser engine cannot start its sandbox as root; a developer running as root gets
# the engine without it. The program itself never switches the sandbox off.
if [[ "$program" == Ostrand ]] && (( EUID == 0 )); then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec "build/release/$dir/$program"

#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the programs need,
# when any of them is missing. Quick and silent when all are there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-qpa-plugins libgl-dev
    libmpfr-dev libgmp-dev
    fonts-noto-cjk
    librsvg2-bin
    libqt6svg6
)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(xvfb xauth clang libclang-rt-14-dev desktop-file-utils appstream dpkg-dev file imagemagick xdotool)
    packages+=(libbenchmark-dev)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "installed" ]] || missing+=("$package")
done

if (( ${#missing[@]} )); then
    echo "Installing: ${missing[*]}"
    sudo=""
    (( EUID == 0 )) || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

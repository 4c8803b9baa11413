#!/usr/bin/env bash
# Installs the Debian packages that a task needs, and only those that are
# missing. Uses sudo when not run as root.
#
#   scripts/setup-deps.sh GROUP...
#
# Groups:
#   run      build and run the program: compiler, CMake, Ninja, Qt
#   test     the unit, window and desktop tests
#   fuzz     the libFuzzer target (clang)
#   bench    the benchmarks
#   windows  the MinGW-w64 cross build (with Qt's source and host tools), Wine
#            to run its tests, and the zip and NSIS installer
#   package  the Debian package and its checks
set -euo pipefail

declare -A groups=(
    [run]="cmake ninja-build g++ make pkg-config qt6-base-dev libgl-dev"
    [test]="libgtest-dev libgmock-dev xvfb xauth x11-utils xdotool openbox desktop-file-utils appstream
            at-spi2-core python3-pyatspi dbus-daemon imagemagick"
    [fuzz]="clang libclang-rt-dev libgtest-dev libgmock-dev qt6-base-dev"
    [bench]="libbenchmark-dev"
    [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine wine64
               dpkg-dev nsis zip fonts-dejavu-core fonts-wine xvfb xauth x11-utils openbox imagemagick"
    [package]="dpkg-dev file lintian desktop-file-utils appstream"
)
# What every group builds with, besides its own packages.
declare -A base=(
    [run]="" [test]=run [fuzz]="" [bench]=run [windows]=run [package]=run
)

if [ $# -eq 0 ]; then
    set -- run
fi

packages=(cmake ninja-build make)
for group in "$@"; do
    if [ -z "${groups[$group]+set}" ]; then
        echo "unknown group: $group (known: ${!groups[*]})" >&2
        exit 2
    fi
    for needed in ${base[$group]} "$group"; do
        read -r -d '' -a more <<<"${groups[$needed]}" || true
        packages+=("${more[@]}")
    done
done

missing=()
for package in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != 'install ok installed' ]; then
        missing+=("$package")
    fi
done
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk 'NF && !seen[$0]++')

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

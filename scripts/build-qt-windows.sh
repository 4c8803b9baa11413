#!/usr/bin/env bash
# Builds the Qt that the Windows program is linked with: a static qtbase for
# 64-bit Windows, cross-compiled with Debian's MinGW-w64 from Debian's own
# qt6-base source, at the version of the Qt host tools (moc, rcc, uic) that
# this machine has installed, so that the two always agree.
#
#   scripts/build-qt-windows.sh        prints the install prefix on its last line
#
# The result is kept in a cache outside the build tree,
#   ${KESTRELWICK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kestrelwick}/qt-<version>-win64-<recipe>
# keyed by the Qt version and a hash of this script (the recipe), so that a
# second run, and every later CI run on the same machine, finds it at once.
# A change to the recipe builds a new one beside the old.
#
# The source is fetched with apt-get through a private source list and state
# folder: the machine's own apt configuration is left as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
upstream=${version%%+*}
upstream=${upstream%%-*}
cache=${KESTRELWICK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kestrelwick}

# --- Mends of the source: parts of qtbase that no switch leaves out -------
# Each line removes one subfolder from the build, with what it saves:
#   openglwidgets    the OpenGL widgets module (QOpenGLWidget): the window
#                    draws with the raster engine only. Its moc step is the
#                    one where MinGW-w64's compiler was seen to crash.
#   minimal          the "minimal" platform plugin: the program runs on the
#                    Windows plugin, its tests on the offscreen one.
#   devicediscovery, fbconvenience
#                    support libraries of the Linux frame-buffer and input
#                    plugins, which a Windows build never links.
#   direct2d         the Direct2D platform plugin: the Windows plugin draws
#                    the window. (The Direct2D feature itself stays on: Qt
#                    6.4's Gui builds its DirectWrite font engine only with
#                    it, and the window's text is drawn through that engine.)
mend_source() {
    sed -i '/add_subdirectory(openglwidgets)/d' "$1/src/CMakeLists.txt"
    sed -i '/add_subdirectory(minimal)/d; /add_subdirectory(direct2d)/d' \
        "$1/src/plugins/platforms/CMakeLists.txt"
    sed -i '/add_subdirectory(devicediscovery)/d; /add_subdirectory(fbconvenience)/d' \
        "$1/src/platformsupport/CMakeLists.txt"
}

# --- Configure: the smallest Qt that runs the window and its tests --------
# Core, Gui, Widgets, Test, the Windows platform plugin with the Windows
# style, and the offscreen platform for the window tests under Wine. Left
# out: what the program does not use (network, SQL, D-Bus, printing, XML,
# concurrency, Vulkan) and the image format plugins (JPEG, GIF, ICO: the
# window's icons are PNG, which Gui reads itself).
# Kept in, with the reason:
#   OpenGL        the Windows platform plugin of 6.4 does not compile
#                 without it; MinGW-w64 has opengl32.
# Turned off, with the reason:
#   tabletevent   needs wintab.h, which MinGW-w64 does not have.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_opengl=ON
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_libpng=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_glib=OFF
)

# The recipe: the options, the mends and the cross toolchain. The rest of
# this script (fetching, retrying, logging) can change without a rebuild.
recipe=$({ printf '%s\n' "${options[@]}"; declare -f mend_source
    cat cmake/mingw-w64-x86_64.cmake; } | sha256sum | cut -c1-12)
prefix="$cache/qt-$upstream-win64-$recipe"

if [ -f "$prefix/.complete" ]; then
    echo "Qt $upstream for Windows: $prefix (cached)" >&2
    echo "$prefix"
    exit 0
fi

# The source and the build folder are kept per Qt version, so that a change
# of recipe rebuilds only what it changes; KESTRELWICK_QT_WORK puts them
# elsewhere (a folder that Qt's build never sees through a symbolic link).
work=${KESTRELWICK_QT_WORK:-$cache/work-qt-$upstream}
mkdir -p "$work"
started=$(date +%s)

# --- The source, as Debian ships it, its patches applied ------------------
# It is mended in place; a source mended otherwise than the recipe says (an
# older recipe's mends) is unpacked again, so that a mend taken out is undone.
source_dir="$work/src"
mends=$(declare -f mend_source | sha256sum | cut -c1-12)
if [ -f "$source_dir/.unpacked" ] && [ "$(cat "$source_dir/.mended" 2>/dev/null)" != "$mends" ]; then
    echo "The Qt source was mended by another recipe: unpacking it again." >&2
    rm -f "$source_dir/.unpacked"
fi
if [ ! -f "$source_dir/.unpacked" ]; then
    apt_dir="$work/apt"
    mkdir -p "$apt_dir/state/lists/partial" "$apt_dir/cache/archives/partial" "$work/download"
    # The mirrors the machine already uses, for source packages.
    mirror=$(awk '/^URIs:/ && !/security/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources \
        2>/dev/null || true)
    mirror=${mirror:-http://deb.debian.org/debian}
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    cat >"$apt_dir/sources.list" <<EOF
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] ${mirror%/debian}/debian-security $codename-security main
EOF
    apt_options=(
        -o "Dir::Etc::SourceList=$apt_dir/sources.list"
        -o "Dir::Etc::SourceParts=$apt_dir/none"
        -o "Dir::State=$apt_dir/state"
        -o "Dir::State::status=/var/lib/dpkg/status"
        -o "Dir::Cache=$apt_dir/cache"
        -o "APT::Sandbox::User=root"
    )
    apt-get "${apt_options[@]}" update -qq
    # The exact version when the archive still has it, else the newest
    # source of the same upstream release.
    (cd "$work/download" &&
        { apt-get "${apt_options[@]}" source --download-only -qq "qt6-base=$version" ||
            apt-get "${apt_options[@]}" source --download-only -qq qt6-base; })
    dsc=$(ls "$work/download"/qt6-base_*.dsc | head -n1)
    case "$(basename "$dsc")" in
        "qt6-base_$upstream"*) ;;
        *) echo "The archive's qt6-base source ($(basename "$dsc")) is not Qt $upstream" >&2
           exit 1 ;;
    esac
    rm -rf "$source_dir"
    dpkg-source --no-check -x "$dsc" "$source_dir" >/dev/null
    touch "$source_dir/.unpacked"
fi

mend_source "$source_dir"
echo "$mends" >"$source_dir/.mended"

build_dir="$work/build"
configure=(
    -G Ninja
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
    -DCMAKE_INSTALL_PREFIX="$prefix"
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    "${options[@]}"
)
# Configured afresh: a build folder of an older recipe keeps its settings in
# its cache (an option taken out would stay as it was); its compiled files
# are still used where nothing they depend on changed.
cmake --fresh -S "$source_dir" -B "$build_dir" "${configure[@]}" >"$work/configure.log" 2>&1 || {
    tail -n 60 "$work/configure.log" >&2
    exit 1
}
# The build step, run a second time after a failure: MinGW-w64's compiler
# has been seen to crash now and then on Qt's sources (an internal compiler
# error that the next run does not meet). A failure that repeats is real and
# fails the build with the compiler's message. KESTRELWICK_QT_FAIL_FIRST_BUILD=1
# makes the first run fail on purpose, for the recipe's own test.
build_qt() {
    if [ "$1" = 1 ] && [ "${KESTRELWICK_QT_FAIL_FIRST_BUILD:-}" = 1 ]; then
        echo "FAILED: first build step failed on purpose (KESTRELWICK_QT_FAIL_FIRST_BUILD=1)"
        return 1
    fi
    nice -n 10 cmake --build "$build_dir" -j"$jobs"
}
: >"$work/build.log"
if ! build_qt 1 >>"$work/build.log" 2>&1; then
    echo "== The build step failed; running it a second time." | tee -a "$work/build.log" >&2
    grep -m3 'FAILED\|error:' "$work/build.log" >&2 || true
    if ! build_qt 2 >>"$work/build.log" 2>&1; then
        echo "== The build step failed again." | tee -a "$work/build.log" >&2
        sed -n '/== The build step failed; running it a second time./,$p' "$work/build.log" |
            grep -B5 -A20 -m3 'FAILED\|error:' >&2 || tail -n 60 "$work/build.log" >&2
        exit 1
    fi
fi
rm -rf "$prefix"
cmake --install "$build_dir" >"$work/install.log" 2>&1
cp "$source_dir/LICENSES/LGPL-3.0-only.txt" "$prefix/LGPL-3.0-only.txt" 2>/dev/null || true
cp "$source_dir/LICENSES/GPL-3.0-only.txt" "$prefix/GPL-3.0-only.txt" 2>/dev/null || true
cp "$work/download"/qt6-base_*.dsc "$prefix/"
touch "$prefix/.complete"

echo "Qt $upstream for Windows built in $(( ($(date +%s) - started) / 60 )) min:" \
    "$(du -sh "$prefix" | cut -f1) in $prefix" >&2
echo "$prefix"

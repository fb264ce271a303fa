#!/bin/bash
# Starts the built program on a real X server (Xvfb with openbox) as a user
# would, portable and installed, drives a comparison with xdotool and checks
# where the results and the settings were written.
# Usage: desktop_e2e_test.sh BUILD_DIR. Exit 77 (skipped) without Xvfb, xdotool or openbox.
set -u
build=$(cd "$1" && pwd)
for tool in Xvfb xdotool openbox; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool missing (Debian: xvfb xdotool openbox)"; exit 77; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/synopter-e2e-XXXXXX")
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    chmod -R u+w "$tmp" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A free display, picked by the server itself.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(head -n 1 "$tmp/display")"
HOME="$tmp/wm-home" openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
sleep 1
export QT_QPA_PLATFORM=xcb

# Two small editions, sorted first in any catalogue, that differ in every verse.
write_editions() {
    local dir=$1 name text
    for name in aaa1 aaa2; do
        printf '[TextFont]\r\nName=Riruzi\r\n[English]\r\nInformation=%s, made by the test\r\n' "$name" >"$dir/$name.bk"
        text="KATA IWANNHN 1\r\n"
        for v in 1 2 3 4 5; do
            if [ "$name" = aaa1 ]; then
                text+=" 1:$v en arch hn o logov kai o logov hn prov ton yeon kai yeov hn o logov\r\n"
            else
                text+=" 1:$v outov hn en arch prov ton yeon panta di autou egeneto kai cwriv autou\r\n"
            fi
        done
        printf "$text" >"$dir/$name.dat"
    done
}

# The first visible window of that title, waiting up to 30 s; a window that
# goes away during the search (xdotool then fails) means trying again.
find_window() {
    local w
    for _ in $(seq 300); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.1
    done
}

# Runs the program, answers the language dialog (asked only when the locale
# has no language file), compares aaa1 with aaa2, waits for the results in
# `resultDir` and closes the window.
drive() {
    local exe=$1 resultDir=$2 log=$3 pid window
    "$exe" >"$log" 2>&1 &
    pid=$!
    pids+=("$pid")
    if [ "${LANG:-C}" = C.UTF-8 ] || [ "${LANG:-C}" = C ]; then
        window=$(find_window '^Language selection$')
        [ -n "$window" ] || fail "no language dialog (the language files were not found): $(cat "$log")"
        timeout 10 xdotool windowactivate --sync "$window" 2>/dev/null || timeout 10 xdotool windowfocus --sync "$window"
        xdotool key --clearmodifiers Return
    fi
    window=$(find_window '^Synopter$')
    [ -n "$window" ] || fail "the main window did not appear: $(cat "$log")"
    timeout 10 xdotool windowactivate --sync "$window" 2>/dev/null || timeout 10 xdotool windowfocus --sync "$window"
    sleep 1
    # The window's icon in the program's sizes; openbox would show its own 48 x 48
    # default on a window without one (xprop: Debian x11-utils).
    if command -v xprop >/dev/null; then
        xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (16 x 16)' || fail "the window has no icon of its own"
    fi
    # Focus starts on COMPARE, between the left chooser and the right one; F5 compares.
    xdotool key --clearmodifiers --delay 150 Tab Home Down shift+Tab shift+Tab Home F5
    for _ in $(seq 300); do [ -f "$resultDir/results.set" ] && break; sleep 0.1; done
    [ -f "$resultDir/results.set" ] || fail "no results in $resultDir: $(cat "$log")"
    sleep 0.5
    xdotool key --clearmodifiers alt+F4
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "the window did not close"
    wait "$pid" || fail "the program ended with status $?: $(cat "$log")"
}

expect_files() {
    local dir=$1 f
    shift
    for f in "$@"; do [ -s "$dir/$f" ] || fail "$f missing in $dir"; done
}

# The found verses are the differing ones: both panes hold verse 1:5.
expect_pairs() {
    grep -q '1:5' "$1/r1.rtf" && grep -q '1:5' "$1/r2.rtf" || fail "the results in $1 lack the pairs compared"
    grep -q '^left=aaa1' "$2/kelvane.ini" && grep -q '^right=aaa2' "$2/kelvane.ini" ||
        fail "kelvane.ini lacks the editions chosen: $(cat "$2/kelvane.ini")"
}

# Portable: a copy of the program folder keeps everything beside the executable.
portable=$tmp/portable
mkdir -p "$portable"
cp -a "$build/bin/synopter" "$build/bin/"*.lng "$build/bin/"*.bmp "$build/bin/Fonts" "$build/bin/icons" "$portable/"
write_editions "$portable"
HOME="$tmp/portable-home" XDG_CONFIG_HOME= XDG_DATA_HOME= LANG=C.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES= drive "$portable/synopter" "$portable" "$tmp/portable.log"
expect_files "$portable" kelvane.ini r1.rtf r2.rtf chapters.lst results.set
expect_pairs "$portable" "$portable"
[ -e "$tmp/portable-home" ] && fail "the portable copy wrote into HOME: $(find "$tmp/portable-home")"
echo "portable: results and settings beside the executable"

# Installed: a read-only prefix, the user's files in the XDG folders.
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || fail "cmake --install: $(cat "$tmp/install.log")"
write_editions "$prefix/share/synopter"
find "$prefix" | sort >"$tmp/before"
chmod -R a-w "$prefix"
HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" LANG=ru_RU.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES= \
    drive "$prefix/bin/synopter" "$tmp/data/synopter" "$tmp/installed.log"
expect_files "$tmp/data/synopter" r1.rtf r2.rtf chapters.lst results.set
expect_files "$tmp/config/synopter" kelvane.ini
grep -q '^Language=Russian' "$tmp/config/synopter/kelvane.ini" || fail "a Russian locale did not choose Russian unasked"
expect_pairs "$tmp/data/synopter" "$tmp/config/synopter"
find "$prefix" | sort >"$tmp/after"
diff "$tmp/before" "$tmp/after" >/dev/null || fail "the program wrote into its prefix: $(diff "$tmp/before" "$tmp/after")"
echo "installed: results in \$XDG_DATA_HOME/synopter, settings in \$XDG_CONFIG_HOME/synopter"

# Installed again without XDG variables: the defaults under HOME.
HOME="$tmp/home" XDG_CONFIG_HOME= XDG_DATA_HOME= \
    drive "$prefix/bin/synopter" "$tmp/home/.local/share/synopter" "$tmp/installed-home.log"
expect_files "$tmp/home/.config/synopter" kelvane.ini
echo "installed: defaults ~/.config/synopter and ~/.local/share/synopter"

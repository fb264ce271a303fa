#!/usr/bin/env bash
# Takes the screenshot the AppStream metadata points to: the built program in
# English under Xvfb and openbox, two sample editions compared at 1600x1000.
# The picture shows the editions' text, so it is published with a release,
# never committed. Needs xvfb, openbox, xdotool and imagemagick.
# Usage: tools/metainfo_screenshot.sh [BUILD_DIR] [OUT.png]
set -euo pipefail
build=${1:-build}
out=${2:-compare.png}
[ -x "$build/bin/synopter" ] || { echo "no program in $build/bin" >&2; exit 1; }
[ -f "$build/bin/Byzantine2018.dat" ] || { echo "$build/bin holds no sample editions" >&2; exit 1; }
tmp=$(mktemp -d)
display=:$((90 + RANDOM % 9))
cleanup() { kill $(jobs -p) 2>/dev/null || true; rm -rf "$tmp"; }
trap cleanup EXIT
cp -a "$build/bin/." "$tmp/"
rm -f "$tmp"/kelvane.ini "$tmp"/r1.rtf "$tmp"/r2.rtf "$tmp"/chapters.lst "$tmp"/results.*
printf '[General]\r\nLanguage=English\r\n[Init]\r\nleft=WestcottHort1881\r\nright=Byzantine2018\r\ndifferences=3\r\n' >"$tmp/kelvane.ini"
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
DISPLAY=$display "$tmp/synopter" >/dev/null 2>&1 &
for _ in $(seq 100); do
    window=$(DISPLAY=$display xdotool search --onlyvisible --name '^Synopter$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
DISPLAY=$display xdotool windowactivate --sync "$window" key --clearmodifiers F5
for _ in $(seq 300); do [ -f "$tmp/results.set" ] && break; sleep 0.1; done
sleep 1
DISPLAY=$display import -window root "$out"
echo "$out"

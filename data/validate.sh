#!/bin/sh
# desktop-file-validate and appstreamcli over the desktop file and the
# metadata; exit 77 (skipped) when a validator is missing.
desktop=$1 metainfo=$2
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "$tool missing (Debian: desktop-file-utils, appstream)"; exit 77; }
done
status=0
desktop-file-validate "$desktop" || status=1
appstreamcli validate --no-net --pedantic "$metainfo" || status=1
exit $status

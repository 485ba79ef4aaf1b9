#!/bin/sh
# Runs one test program with a fresh HOME (the per-user folder lives below
# it, in XDG_DATA_HOME), on the offscreen platform, and removes the HOME
# afterwards.
home=$(mktemp -d) || exit 1
HOME="$home" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" XDG_CONFIG_HOME="$home/.config" \
  XDG_DATA_HOME="$home/.local/share" "$@"
rc=$?
rm -rf "$home"
exit $rc

#!/bin/sh
# Installs what building, running and testing ORVAK needs on Debian 12;
# "install-deps.sh fuzz" adds clang and its libFuzzer runtime for the fuzz
# targets. Skips apt entirely when everything is already there.
set -e
pkgs="cmake g++ make pkg-config qtbase5-dev qtbase5-dev-tools xvfb xauth fonts-dejavu-core clang-format"
# The start asks the X server for the screens before Qt starts (RandR).
pkgs="$pkgs libxcb1-dev libxcb-randr0-dev"
# The install test checks the launcher with desktop-file-validate.
pkgs="$pkgs desktop-file-utils"
# The placement test runs the program under a window manager on Xvfb.
pkgs="$pkgs openbox"
if [ "$1" = fuzz ]; then
  pkgs="$pkgs clang libclang-rt-14-dev"
fi
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
fi

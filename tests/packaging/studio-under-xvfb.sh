#!/usr/bin/env bash
# The studio on a real X server with a window manager: it draws its start picture, Ctrl+R draws
# another one, and Alt+Left brings back exactly the start picture.
# Usage: studio-under-xvfb.sh STUDIO SCRATCH_DIR
set -euo pipefail
studio=$1
dir=$2
tools=$(cd "$(dirname "$0")/../.." && pwd)/tools
rm -rf "$dir"
# Each shot starts the studio afresh, so every one begins from the same built-in start picture.
"$tools/make-screenshots" -s "$studio" -o "$dir" \
  'start|^Orlenza Picture$|' \
  'random|^Orlenza Picture$|ctrl+r sleep:2' \
  'back|^Orlenza Picture$|ctrl+r sleep:2 alt+Left sleep:1'

# Pixels that differ; compare says so on stderr, and fails on pictures of different sizes.
differing() { compare -metric AE "$dir/$1.png" "$dir/$2.png" null: 2>&1 || true; }
random=$(differing start random)
back=$(differing start back)
failed=0
[[ $random =~ ^[0-9]+$ && $random -gt 1000 ]] ||
  { echo "Ctrl+R did not draw another picture ($random pixels differ)" >&2; failed=1; }
[ "$back" = 0 ] || { echo "Alt+Left did not bring back the start picture ($back pixels differ)" >&2; failed=1; }
exit $failed

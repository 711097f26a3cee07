#!/usr/bin/env bash
# Renders the help page's figures (figures/*.svg) to the PNG files the page
# shows, at twice their size so they stay sharp. Needs rsvg-convert
# (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for svg in figures/*.svg; do
  name=$(basename "$svg" .svg)
  rsvg-convert --zoom 2 --output "$name.png" "$svg"
done

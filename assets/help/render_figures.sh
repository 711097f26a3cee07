#!/usr/bin/env bash
# Renders the help pages' figures (figures/*.svg) to the PNG files the pages
# show, at twice their size so they stay sharp: figures/NAME.svg becomes
# NAME.png for the Japanese page, figures/NAME.en.svg becomes NAME.en.png for
# the English one. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for svg in figures/*.svg; do
  name=$(basename "$svg" .svg)
  rsvg-convert --zoom 2 --output "$name.png" "$svg"
done

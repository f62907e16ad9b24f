#!/usr/bin/env bash
# Screenshots of the three windows at 100 % and 150 % (96 and 144 DPI), each
# cropped to its window, into docs/ for the README. Runs the win64 build under
# Wine on a private Xvfb in a prefix of its own (build-win64/screenshot-prefix);
# the fonts are the prefix's stand-ins for SimSun and SimHei (see dev/lib.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source dev/lib.sh

QB_TARGETS="Quellbrook quellbrook_window_probe" qb_build_win64 >/dev/null

prefix=$QB_ROOT/build-win64/screenshot-prefix
work=$QB_ROOT/build-win64/screenshot-work
trap qb_cleanup EXIT
trap 'exit 130' INT TERM
qb_wine_session "$prefix" virtual || exit 1

for percent in 100 150; do
  dpi=$((96 * percent / 100))
  # Each new process reads the DPI from here at start.
  qb_regedit "$prefix" '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")"
  qb_screenshots "$prefix" "$work" /dev/null \
    main="$QB_ROOT/docs/main-window-$percent.png" \
    hosts="$QB_ROOT/docs/hosts-window-$percent.png" \
    extra="$QB_ROOT/docs/extra-window-$percent.png" ||
    qb_die "the screenshots at $percent % are incomplete"
done

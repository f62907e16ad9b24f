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
exe=$QB_ROOT/build-win64/Quellbrook.exe
trap qb_cleanup EXIT
trap 'exit 130' INT TERM
qb_start_xvfb || exit 1
QB_CLEANUP_PREFIXES+=("$prefix")
qb_prepare_prefix "$prefix"
qb_window_manager "$prefix" virtual

# shoot NAME [hosts|extra]: the main window, or the window its button opens.
shoot() {
  local file=$1 geometry
  geometry=$(qb_wait_for_main_window "$prefix" 60 ${2:+"$2"}) || qb_die "no window for $file"
  sleep 1  # let it paint
  import -window root -crop "$geometry" +repage "$QB_ROOT/docs/$file"
  echo "docs/$file ($geometry)"
}

for percent in 100 150; do
  dpi=$((96 * percent / 100))
  # Each new process reads the DPI from here at start.
  qb_regedit "$prefix" '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")"
  qb_fresh_work_folder "$work"
  (cd "$work" && exec env WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 wine "$exe") >/dev/null 2>&1 &
  program=$!
  shoot "main-window-$percent.png"
  shoot "hosts-window-$percent.png" hosts
  shoot "extra-window-$percent.png" extra
  qb_kill_wine "$prefix"
  wait "$program" || true
done

#!/usr/bin/env bash
# Quick start: installs what is missing (Debian 12, as root), builds Quellbrook
# for 64-bit Windows and runs it under Wine, in a private prefix
# (.run/wineprefix) and a private working folder (.run/work) that holds fresh
# copies of the four scripts. Never touches ~/.wine or your own files.
#
# With a usable $DISPLAY the program opens there and this script waits until
# you close it. Without one it runs on a private Xvfb display, saves a
# screenshot of the main window to .run/quellbrook.png and ends the program.
set -euo pipefail
cd "$(dirname "$0")"
source dev/lib.sh

qb_ensure_packages

# The program and the probe that tells when its window is up; the tests are
# test.sh's business.
qb_say "Building Quellbrook.exe (build-win64)"
QB_TARGETS="Quellbrook quellbrook_window_probe" qb_build_win64

run_dir=$QB_ROOT/.run
prefix=$run_dir/wineprefix
work=$run_dir/work
exe=$QB_ROOT/build-win64/Quellbrook.exe
screenshot=$run_dir/quellbrook.png

trap qb_cleanup EXIT
trap 'exit 130' INT TERM

display_kind=$(qb_display_kind)
if [[ $display_kind == virtual ]]; then qb_say "No usable display; starting Xvfb"; fi
qb_wine_session "$prefix" "$display_kind" || exit 1

if [[ $display_kind == real ]]; then
  qb_fresh_work_folder "$work"
  qb_say "Running Quellbrook.exe on $DISPLAY (working folder $work); close it to finish"
  (cd "$work" && qb_wine "$prefix" "$exe")
  exit 0
fi

qb_say "Running Quellbrook.exe on Xvfb $DISPLAY (working folder $work)"
qb_screenshots "$prefix" "$work" "$run_dir/wine.log" main="$screenshot" ||
  qb_die "no screenshot of the main window; see $run_dir/wine.log"

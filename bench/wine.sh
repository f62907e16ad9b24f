#!/usr/bin/env bash
# The figures a user feels, under Wine, for this build's Quellbrook.exe and any
# other builds given, all in one run on one machine:
#   - start-up: each program timed from CreateProcess to a main window that
#     answers messages, beside two yardsticks with the same manifest (a
#     one-button hello-world, and one with as many controls as the main
#     window); median of RUNS starts (quellbrook_startup_bench);
#   - a HOSTS refresh of 150 000 lines, a fuzzy find of every blocklist name
#     and a switch tick on a 1 000 000-line xp.bat, each beside the least that
#     its result takes; best of ROUNDS (quellbrook_feel_bench).
#
#   bench/wine.sh [--runs RUNS] [--rounds ROUNDS] [LABEL=EXE...]
#
# Defaults: 7 runs, 3 rounds. EXE is a Linux path, e.g. an older build's
# build-win64/Quellbrook.exe. Runs on a private Xvfb in a fresh Wine prefix,
# which it removes; needs the packages ./test.sh installs. x64 only: the x86
# program can be timed only on Windows. Prints figures, asserts nothing.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
source dev/lib.sh

runs=7
rounds=3
extra=()
while (($#)); do
  case $1 in
    --runs) runs=$2 && shift ;;
    --rounds) rounds=$2 && shift ;;
    *=*) extra+=("$1") ;;
    *) qb_die "usage: bench/wine.sh [--runs N] [--rounds N] [LABEL=EXE...]" ;;
  esac
  shift
done

qb_say "Building build-win64"
QB_TARGETS="Quellbrook quellbrook_startup_bench quellbrook_feel_bench quellbrook_hello quellbrook_hello_controls" \
  qb_build_win64 || qb_die "build-win64 does not build"

# Other work on the machine spreads the figures widely; as root, the display,
# Wine and the programs it starts run at a higher priority than that work.
renice -n -15 -p $$ >/dev/null 2>&1 || true

scratch=$(mktemp -d -t quellbrook-bench.XXXXXX)
prefix=$scratch/wineprefix
QB_CLEANUP_DIRS+=("$scratch")
trap qb_cleanup EXIT
trap 'exit 130' INT TERM
qb_wine_session "$prefix" virtual || qb_die "no Wine session (Xvfb and prefix)"

dir=$QB_ROOT/build-win64
programs=("this build=$(qb_winpath "$dir/Quellbrook.exe")")
for program in "${extra[@]}"; do programs+=("${program%%=*}=$(qb_winpath "${program#*=}")"); done

status=0
qb_say "Start-up, $runs runs each"
(cd "$scratch" && qb_wine "$prefix" "$dir/bench/win32/quellbrook_startup_bench.exe" "$runs" \
  "hello-world, same manifest=$(qb_winpath "$dir/bench/win32/quellbrook_hello.exe")" \
  "hello-world, main window's controls=$(qb_winpath "$dir/bench/win32/quellbrook_hello_controls.exe")" \
  "${programs[@]}") | tr -d '\r'
((PIPESTATUS[0] == 0)) || status=1

qb_say "What a user waits for, best of $rounds"
(cd "$scratch" && qb_wine "$prefix" "$dir/bench/win32/quellbrook_feel_bench.exe" "$rounds" "${programs[@]}") |
  tr -d '\r'
((PIPESTATUS[0] == 0)) || status=1
exit "$status"

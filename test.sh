#!/usr/bin/env bash
# Usage: ./test.sh [STAGE...]
#
# Installs what is missing (as ./run.sh does), then runs the stages named, or
# all of them, always in this order:
#   layers   include directions between the source folders
#            (dev/check_includes.sh) and the Windows workflow against its
#            schema (dev/workflow-check);
#   unit     the native build (build-linux) and its unit tests (ctest);
#   asan     the same tests under AddressSanitizer and UBSan (build-asan);
#   fuzz     each libFuzzer target for QB_FUZZ_SECONDS (15) (build-fuzz);
#   win64    the 64-bit Windows build with its tests (build-win64), and the
#            exe's imports, load configuration, manifest and icons;
#   win32    the same for the 32-bit build (build-win32);
#   wine     on a private Xvfb in a fresh Wine prefix: screenshots of the main
#            and HOSTS windows (with win64), then per Windows build the release
#            zip and its test kit unpacked together and run-tests.cmd run by
#            Wine's cmd. The x86 kit is skipped where no 32-bit x86 code runs
#            (dev/lib.sh; QB_RUNS_X86_32=yes or no forces the decision);
#   release  the release zips and test kits, each checked as it is packed;
#            with wine in the run, that the zip's exe is the one the kit ran.
# wine and release use the Windows builds of the same run: named without win64
# or win32, they bring both in, so a stale program never runs.
# The last line is "N passed, N failed, N skipped": a build that fails or a
# test program that is missing or dies counts as failed, a skipped suite never
# as passed. The exit code is non-zero when anything failed.
#
# Examples: ./test.sh unit    ./test.sh win64 wine    ./test.sh release
set -uo pipefail
cd "$(dirname "$0")" || exit 1
source dev/lib.sh

stages=(layers unit asan fuzz win64 win32 wine release)
usage() { sed -n '2,/^set /{/^set /d;s/^# \{0,1\}//;p}' "$0"; }

declare -A wanted
(($# == 0)) && for stage in "${stages[@]}"; do wanted[$stage]=1; done
for argument in "$@"; do
  [[ $argument == -h || $argument == --help ]] && usage && exit 0
  if [[ " ${stages[*]} " != *" $argument "* ]]; then
    printf 'error: unknown stage "%s"\n\n' "$argument" >&2
    usage >&2
    exit 2
  fi
  wanted[$argument]=1
done
wants() { [[ -n ${wanted[$1]:-} ]]; }
if { wants wine || wants release; } && ! wants win64 && ! wants win32; then
  wanted[win64]=1 wanted[win32]=1
fi
# The Windows architectures of this run, by the suffix of their build folder.
arches=()
wants win64 && arches+=(64)
wants win32 && arches+=(32)

started=$(date +%s)
passed_total=0 failed_total=0 skipped_total=0
report=()

# record LABEL PASSED FAILED
record() {
  passed_total=$((passed_total + $2)) failed_total=$((failed_total + $3))
  report+=("$(printf '%-34s %4d passed, %d failed' "$1" "$2" "$3")")
}
# check LABEL COMMAND...: one test, passed when the command succeeds.
check() {
  local label=$1
  shift
  if "$@"; then record "$label" 1 0; else record "$label" 0 1 && return 1; fi
}
# skip LABEL REASON: a suite that cannot run here; one skipped, never passed.
skip() {
  skipped_total=$((skipped_total + 1))
  report+=("$(printf '%-34s skipped: %s' "$1" "$2")")
}
no_x86_32="this machine runs no 32-bit x86 code"

qb_ensure_packages
scratch=$(mktemp -d -t quellbrook-test.XXXXXX)
QB_CLEANUP_DIRS+=("$scratch")
trap qb_cleanup EXIT
trap 'exit 130' INT TERM

# run_ctest LABEL DIR: the tests of a native build folder, by ctest's summary.
run_ctest() {
  local summary status
  ctest --test-dir "$2" --output-on-failure 2>&1 | tee "$scratch/ctest.log"
  status=${PIPESTATUS[0]}
  summary=$(grep -oE '[0-9]+ tests? failed out of [0-9]+' "$scratch/ctest.log" | tail -n 1)
  if [[ $summary =~ ^([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+)$ ]]; then
    local failed=${BASH_REMATCH[1]}
    ((status != 0 && failed == 0)) && failed=1
    record "$1" $((BASH_REMATCH[2] - failed)) "$failed"
  else
    record "$1" 0 1
  fi
}

stage_layers() {
  qb_say "Include directions and the Windows workflow"
  check "include directions" "$QB_ROOT/dev/check_includes.sh"
  # Nothing here can run the workflow; its validator is pinned by a lock file.
  npm ci --prefix dev/workflow-check --no-audit --no-fund --loglevel=error
  check "workflow file" dev/workflow-check/node_modules/.bin/action-validator .github/workflows/*.yml
}

stage_unit() {
  qb_say "Native build (build-linux) and unit tests"
  if qb_build build-linux; then run_ctest "unit tests (ctest, Linux)" build-linux; else record "build-linux" 0 1; fi
}

# Any sanitizer report fails its test.
stage_asan() {
  qb_say "Unit tests under AddressSanitizer and UBSan (build-asan)"
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  if QB_TARGETS=quellbrook_unit_tests qb_build build-asan -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers"; then
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest "unit tests (ASan + UBSan)" build-asan
  else
    record "build-asan" 0 1
  fi
}

# Each target from a copy of its seed corpus; a crash, a sanitizer report or a
# broken round trip ends it with a non-zero status.
stage_fuzz() {
  qb_say "Fuzz targets (build-fuzz), ${QB_FUZZ_SECONDS:=15} s each"
  local target corpus
  qb_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUELLBROOK_FUZZ=ON || { record "build-fuzz" 0 1 && return; }
  for target in line_reader replace_all find_text; do
    corpus=$scratch/fuzz-$target
    mkdir -p "$corpus" && cp "tests/fuzz/corpus/$target"/* "$corpus/"
    if ! check "fuzz $target" "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$QB_FUZZ_SECONDS" \
      -timeout=20 -artifact_prefix="$scratch/" "$corpus" >"$scratch/fuzz-$target.log" 2>&1; then
      tail -n 40 "$scratch/fuzz-$target.log"
    fi
  done
}

# A build that fails still runs whatever of it was built.
declare -A windows_built
build_windows() {
  local dir=$1
  qb_say "Windows build with tests ($dir)"
  if qb_build "$dir" -DCMAKE_TOOLCHAIN_FILE="$QB_ROOT/cmake/$2" -DQUELLBROOK_TESTS=ON; then
    windows_built[$dir]=1
  else
    record "$dir" 0 1
  fi
  # What Windows reads from the exe before it runs, checked from the file.
  check "$dir Quellbrook.exe headers" python3 dev/check_exe.py "$dir/Quellbrook.exe"
}
stage_win64() { build_windows build-win64 mingw-x86_64.cmake; }
stage_win32() { build_windows build-win32 mingw-i686.cmake; }

# The Wine prefix of the wine stage; empty when it could not be set up.
prefix=
# The SHA-256 of each Quellbrook.exe that a test kit ran, by arch.
declare -A tested_exe
declare -A kit_labels=([quellbrook_win32_tests.exe]="Win32 platform tests" [quellbrook_e2e.exe]="end-to-end tests")

# run_test_kit ARCH: as a Windows user would, unpacks the release zip and the
# test kit of build-winARCH into one fresh folder and runs run-tests.cmd there.
# Each program's part of test-results.txt ends with its own "N passed, N
# failed"; the script's last line, the total, and its exit code must agree.
run_test_kit() {
  local dir=$QB_ROOT/build-win$1 zip_arch=x${1/32/86} work version results status=0 program counts sum=0 failed=0
  qb_say "Test kit, $zip_arch: run-tests.cmd under Wine's cmd"
  work=$(mktemp -d -p "$scratch")
  if [[ -z $prefix ]] || ! cmake --build "$dir" --target release_zip test_kit_zip >/dev/null ||
    ! version=$(head -n 1 "$dir/version/quellbrook_version.txt") ||
    ! (cd "$work" && cmake -E tar xf "$dir/Quellbrook-$version-$zip_arch.zip" &&
      cmake -E tar xf "$dir/Quellbrook-$version-tests-$zip_arch.zip"); then
    record "test kit, $zip_arch (missing)" 0 1
    return
  fi
  tested_exe[$1]=$(sha256sum <"$work/Quellbrook.exe" | cut -d' ' -f1)
  (cd "$work" && QB_WINE_TIMEOUT=3600 qb_wine "$prefix" cmd /c run-tests.cmd) || status=$?
  qb_kill_wine "$prefix"
  results=$scratch/test-results-$zip_arch.txt
  tr -d '\r' <"$work/test-results.txt" >"$results" 2>/dev/null
  cat "$results"
  for program in quellbrook_win32_tests.exe quellbrook_e2e.exe; do
    counts=$(awk -v start="==== $program" '$0 == start { on = 1; next } /^==== / { on = 0 }
      on && /^[0-9]+ passed, [0-9]+ failed$/ { last = $1 " " $3 } END { print last }' "$results")
    [[ -n $counts ]] || counts="0 1"  # it died without its line
    record "${kit_labels[$program]}, $zip_arch (Wine)" ${counts% *} ${counts#* }
    sum=$((sum + ${counts% *})) failed=$((failed + ${counts#* }))
  done
  [[ $(tail -n 1 "$results") == "$sum passed, $failed failed" && $((status == 0)) == $((failed == 0)) ]] ||
    record "run-tests.cmd, $zip_arch: its verdict" 0 1
}

stage_wine() {
  local arch
  qb_say "Starting Xvfb and a fresh Wine prefix"
  prefix=$scratch/wineprefix
  qb_wine_session "$prefix" virtual || { record "Wine session" 0 1 && prefix=; }
  if [[ -n $prefix ]] && wants win64 &&
    cmake --build build-win64 --target Quellbrook quellbrook_window_probe >/dev/null; then
    qb_say "Screenshots of the main window and the HOSTS window"
    qb_screenshots "$prefix" "$scratch/shot" "$scratch/shot.log" \
      main="$QB_ROOT/build-win64/e2e-main-window.png" hosts="$QB_ROOT/build-win64/e2e-hosts-window.png"
  fi
  for arch in "${arches[@]}"; do
    if [[ $arch == 32 ]] && ! qb_runs_x86_32; then
      skip "Win32 platform tests, x86" "$no_x86_32"
      skip "end-to-end tests, x86" "$no_x86_32"
    else
      run_test_kit "$arch"
    fi
  done
}

# Packing checks each zip (cmake/check_release_zip.cmake) and kit; what is
# left here is whether the zip's exe is the very one a kit ran.
stage_release() {
  local arch dir zip_arch exe
  for arch in "${arches[@]}"; do
    dir=$QB_ROOT/build-win$arch zip_arch=x${arch/32/86}
    qb_say "Release zip and test kit, $zip_arch (build-win$arch)"
    if [[ ${windows_built[build-win$arch]:-} != 1 ]] ||
      ! cmake --build "$dir" --target release_zip test_kit_zip; then
      record "release zip, $zip_arch" 0 1
    elif [[ -z ${tested_exe[$arch]:-} ]]; then
      echo "No test kit ran in this run: the zip's Quellbrook.exe is not compared with a tested one."
      record "release zip, $zip_arch (exe untested here)" 1 0
    else
      exe=$(mktemp -d -p "$scratch")
      (cd "$exe" && cmake -E tar xf "$dir/Quellbrook-$(head -n 1 "$dir/version/quellbrook_version.txt")-$zip_arch.zip")
      check "release zip, $zip_arch" test "$(sha256sum <"$exe/Quellbrook.exe" | cut -d' ' -f1)" == "${tested_exe[$arch]}"
    fi
  done
}

for stage in "${stages[@]}"; do
  wants "$stage" || continue
  stage_started=$(date +%s)
  "stage_$stage"
  report+=("$(printf '%-34s %4d s' "stage $stage took" $(($(date +%s) - stage_started)))")
done

qb_cleanup
echo
echo "Results:"
printf '  %s\n' "${report[@]}"
echo "Took $(($(date +%s) - started)) s."
echo "$passed_total passed, $failed_total failed, $skipped_total skipped"
((failed_total == 0))

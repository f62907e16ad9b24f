#!/usr/bin/env bash
# Runs the tests: installs what is missing (as ./run.sh does), then the stages
# named on the command line, or all of them, always in this order:
#   layers   dev/check_includes.sh: no include goes the wrong way between the
#            source folders;
#   unit     the native Linux build (build-linux) and its unit tests (ctest);
#   asan     the same tests under AddressSanitizer and UBSan (build-asan);
#   fuzz     each libFuzzer target for QB_FUZZ_SECONDS (15) from its seed
#            corpus (build-fuzz, clang);
#   win64    the 64-bit Windows build with its tests (build-win64);
#   win32    the 32-bit Windows build with its tests (build-win32);
#   wine     on a private Xvfb display and in a fresh Wine prefix that is
#            removed at the end: screenshots of the main window
#            (build-win64/e2e-main-window.png) and of the HOSTS window
#            (build-win64/e2e-hosts-window.png); then for each architecture
#            the test kit (Quellbrook-<version>-tests-<arch>.zip) unpacked
#            beside the release zip's files, and its run-tests.cmd run by
#            Wine's cmd: the Win32 platform tests and the end-to-end tests
#            against the release zip's Quellbrook.exe. The x86 kit is
#            skipped on a machine that runs no 32-bit x86 code (dev/lib.sh);
#   release  the release zips build-win64/Quellbrook-<version>-x64.zip and
#            build-win32/Quellbrook-<version>-x86.zip and their test kits,
#            and a check of what each holds; with wine in the same run, that
#            the zip's exe is the very program the end-to-end tests ran.
# wine and release work on the Windows builds of the same run: named without
# win64 or win32, they bring both in, so they never run a stale program.
# Exits non-zero when anything failed. The last line is the total over all
# suites, "N passed, N failed, N skipped"; a build that fails or a test
# program that is missing or dies counts as a failure, a skipped suite or
# test never as passed.
set -uo pipefail
cd "$(dirname "$0")" || exit 1
source dev/lib.sh

stages=(layers unit asan fuzz win64 win32 wine release)

usage() {
  cat <<EOF
Usage: ./test.sh [STAGE...]

Without a stage, runs every stage. With stages, runs only those, always in
the order below whatever the order given. Missing packages are installed
first in every case. The last line is "N passed, N failed, N skipped"; the
exit code is non-zero when anything failed.

  layers   dev/check_includes.sh: includes go only down the source layers
  unit     native build (build-linux) and its unit tests (ctest)
  asan     the unit tests under AddressSanitizer and UBSan (build-asan)
  fuzz     the libFuzzer targets, QB_FUZZ_SECONDS (15) s each (build-fuzz)
  win64    the 64-bit Windows build with its tests (build-win64), and the
           exe's imports, load configuration, manifest and icons
  win32    the same for the 32-bit Windows build (build-win32)
  wine     under Xvfb and a fresh Wine prefix: screenshots (with win64),
           then the test kit's run-tests.cmd per Windows build of this run
           (x86 only where this machine runs 32-bit x86 code;
           QB_RUNS_X86_32=yes or no forces that decision)
  release  the release zips and test kits and a check of what each holds

wine and release use the Windows builds of the same run, for the
architectures named (win64, win32); named without either, they build both.
release checks that the zip's exe is the one the end-to-end tests ran only
when wine is in the same run, and says so when it is not.

Examples: ./test.sh unit    ./test.sh win64 wine    ./test.sh release
EOF
}

declare -A wanted
if (($# == 0)); then
  for stage in "${stages[@]}"; do wanted[$stage]=1; done
fi
for argument in "$@"; do
  case $argument in
    -h | --help)
      usage
      exit 0
      ;;
  esac
  if [[ " ${stages[*]} " != *" $argument "* ]]; then
    printf 'error: unknown stage "%s"; the stages are: %s\n\n' "$argument" "${stages[*]}" >&2
    usage >&2
    exit 2
  fi
  wanted[$argument]=1
done
wants() { [[ -n ${wanted[$1]:-} ]]; }
if { wants wine || wants release; } && ! wants win64 && ! wants win32; then
  echo "wine and release need Windows builds of this run: adding win64 and win32"
  wanted[win64]=1 wanted[win32]=1
fi
# The Windows architectures of this run, by the suffix of their build folder.
arches=()
wants win64 && arches+=(64)
wants win32 && arches+=(32)

started=$(date +%s)
passed_total=0
failed_total=0
skipped_total=0
report=()

# record LABEL PASSED FAILED [SKIPPED]
record() {
  passed_total=$((passed_total + $2))
  failed_total=$((failed_total + $3))
  skipped_total=$((skipped_total + ${4:-0}))
  local skipped=
  ((${4:-0} > 0)) && skipped=", $4 skipped"
  report+=("$(printf '%-34s %4d passed, %d failed%s' "$1" "$2" "$3" "$skipped")")
}

# skip LABEL REASON: a suite that cannot run here; one skipped, never passed.
skip() {
  skipped_total=$((skipped_total + 1))
  report+=("$(printf '%-34s skipped: %s' "$1" "$2")")
}
no_x86_32="this machine runs no 32-bit x86 code"

# note TEXT: a line of the results that counts nothing.
note() { report+=("$*"); }

count_lines() { grep -cE "$1" "$2" || true; }

# record_gtest LABEL LOG STATUS: records the tests of a GoogleTest program
# from its output and exit status: "[       OK ]" and "[  FAILED  ] ... (N ms)"
# lines. A test that started and never finished counts as failed, and so does
# a program that exits non-zero without reporting a failure. Leaves the counts
# in gtest_passed and gtest_failed.
record_gtest() {
  local label=$1 log=$2 status=$3
  local started_tests ok failed skipped unfinished
  started_tests=$(count_lines '^\[ RUN      \]' "$log")
  ok=$(count_lines '^\[       OK \]' "$log")
  failed=$(count_lines '^\[  FAILED  \] .* \([0-9]+ ms\)$' "$log")
  skipped=$(count_lines '^\[  SKIPPED \] .* \([0-9]+ ms\)$' "$log")
  unfinished=$((started_tests - ok - failed - skipped))
  ((unfinished > 0)) && failed=$((failed + unfinished))
  ((status != 0 && failed == 0)) && failed=1
  record "$label" "$ok" "$failed" "$skipped"
  gtest_passed=$ok gtest_failed=$failed
}

qb_ensure_packages

scratch=$(mktemp -d -t quellbrook-test.XXXXXX)
QB_CLEANUP_DIRS+=("$scratch")
trap qb_cleanup EXIT
trap 'exit 130' INT TERM

# run_ctest LABEL DIR: runs the tests of a native build folder and records them.
run_ctest() {
  local label=$1 dir=$2 summary total failed status
  ctest --test-dir "$dir" --output-on-failure 2>&1 | tee "$scratch/ctest.log"
  status=${PIPESTATUS[0]}
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$scratch/ctest.log" | tail -n 1)
  if [[ -n $summary ]]; then
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    failed=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    ((status != 0 && failed == 0)) && failed=1
    record "$label" $((total - failed)) "$failed"
  else
    record "$label" 0 1
  fi
}

# Includes go only down the layers; the script names each one that does not.
# The CI workflow that runs the kits on Windows passes its validator (pinned
# in dev/workflow-check), since nothing here can run it.
stage_layers() {
  qb_say "Include directions between the source folders (dev/check_includes.sh)"
  if "$QB_ROOT/dev/check_includes.sh"; then
    record "include directions" 1 0
  else
    record "include directions" 0 1
  fi
  qb_say "The Windows workflow (.github/workflows) against its schema"
  if npm ci --prefix dev/workflow-check --no-audit --no-fund --loglevel=error &&
    dev/workflow-check/node_modules/.bin/action-validator .github/workflows/*.yml; then
    record "workflow file" 1 0
  else
    record "workflow file" 0 1
  fi
}

stage_unit() {
  qb_say "Native build (build-linux) and unit tests"
  if qb_build build-linux; then
    run_ctest "unit tests (ctest, Linux)" build-linux
  else
    record "build-linux does not build" 0 1
  fi
}

# The unit tests built with the address and undefined-behaviour sanitizers,
# where any report fails the test.
stage_asan() {
  qb_say "Unit tests under AddressSanitizer and UBSan (build-asan)"
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  if QB_TARGETS=quellbrook_unit_tests qb_build build-asan -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers"; then
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      run_ctest "unit tests (ASan + UBSan)" build-asan
  else
    record "build-asan does not build" 0 1
  fi
}

# The fuzz targets (clang, libFuzzer), each for a bounded time from a copy of
# its seed corpus. A crash, a sanitizer report or a broken round trip ends the
# run with a non-zero status and counts as a failure.
stage_fuzz() {
  qb_say "Fuzz targets (build-fuzz), ${QB_FUZZ_SECONDS:=15} s each"
  local fuzz_targets=(line_reader replace_all find_text) target corpus
  if ! qb_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUELLBROOK_FUZZ=ON; then
    record "build-fuzz does not build" 0 "${#fuzz_targets[@]}"
    return
  fi
  for target in "${fuzz_targets[@]}"; do
    corpus=$scratch/fuzz-$target
    mkdir -p "$corpus"
    cp "tests/fuzz/corpus/$target"/* "$corpus/"
    if "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$QB_FUZZ_SECONDS" -timeout=20 \
      -artifact_prefix="$scratch/" "$corpus" >"$scratch/fuzz-$target.log" 2>&1; then
      record "fuzz $target ($(grep -c . <(ls "$corpus")) inputs)" 1 0
    else
      tail -n 40 "$scratch/fuzz-$target.log"
      record "fuzz $target" 0 1
    fi
  done
}

# Windows builds. A build that fails still runs whatever of it was built; a
# stale program from an earlier build is never run (see windows_ready).
declare -A windows_built
build_windows() {
  local dir=$1 toolchain=$2
  qb_say "Windows build with tests ($dir)"
  if qb_build "$dir" -DCMAKE_TOOLCHAIN_FILE="$QB_ROOT/cmake/$toolchain" -DQUELLBROOK_TESTS=ON; then
    windows_built[$dir]=1
    note "$dir built"
  else
    windows_built[$dir]=0
    record "$dir does not build" 0 1
  fi
  # What Windows reads from the exe before it runs, checked from the file.
  if [[ -f $dir/Quellbrook.exe ]] && python3 dev/check_exe.py "$dir/Quellbrook.exe"; then
    record "$dir Quellbrook.exe headers" 1 0
  else
    record "$dir Quellbrook.exe headers" 0 1
  fi
}
stage_win64() { build_windows build-win64 mingw-x86_64.cmake; }
stage_win32() { build_windows build-win32 mingw-i686.cmake; }

# windows_ready DIR TARGET: the target is built, even when something else in
# DIR failed.
windows_ready() {
  ((windows_built[$1])) || cmake --build "$QB_ROOT/$1" --target "$2" -j "$(qb_jobs)" >/dev/null 2>&1
}

# The programs of the test kit, in the order run-tests.cmd runs them, with
# the label of each in the results.
kit_programs=(quellbrook_win32_tests.exe quellbrook_e2e.exe)
declare -A kit_labels=([quellbrook_win32_tests.exe]="Win32 platform tests" [quellbrook_e2e.exe]="end-to-end tests")

# The SHA-256 of each Quellbrook.exe that an end-to-end suite ran, by arch.
declare -A tested_exe

# run_test_kit ARCH: as a Windows user would, unpacks the release zip and the
# test kit zip of build-winARCH into one fresh folder and runs run-tests.cmd
# there (under Wine's cmd). Records each test program from its part of
# test-results.txt, then whether the script's own verdict, its last line
# "N passed, N failed" and its exit code, agrees with those counts.
run_test_kit() {
  local arch=$1 dir=$QB_ROOT/build-win$1 zip_arch=x${1/32/86} version work program status=0
  local results log last program_status died=0 kit_passed=0 kit_failed=0
  qb_say "Test kit, $zip_arch: run-tests.cmd under Wine's cmd"
  work=$(mktemp -d -p "$scratch")
  if [[ -z $prefix ]] || ! cmake --build "$dir" --target release_zip test_kit_zip ||
    ! version=$(head -n 1 "$dir/version/quellbrook_version.txt") ||
    ! (cd "$work" && cmake -E tar xf "$dir/Quellbrook-$version-$zip_arch.zip" &&
      cmake -E tar xf "$dir/Quellbrook-$version-tests-$zip_arch.zip"); then
    echo "the zips of build-win$arch are missing or could not be unpacked"
    for program in "${kit_programs[@]}"; do record "${kit_labels[$program]}, $zip_arch (missing)" 0 1; done
    return
  fi
  tested_exe[$arch]=$(sha256sum <"$work/Quellbrook.exe" | cut -d' ' -f1)
  (cd "$work" && QB_WINE_TIMEOUT=3600 qb_wine "$prefix" cmd /c run-tests.cmd) || status=$?
  qb_kill_wine "$prefix"
  results=$scratch/test-results-$zip_arch.txt
  tr -d '\r' <"$work/test-results.txt" >"$results" 2>/dev/null
  cat "$results"
  for program in "${kit_programs[@]}"; do
    log=$scratch/$zip_arch-$program.log
    awk -v start="==== $program" -v stop="==== $program exit code " \
      '$0 == start { on = 1; next } index($0, stop) == 1 { on = 0 } on' "$results" >"$log"
    program_status=$(sed -n "s/^==== $program exit code //p" "$results")
    [[ -n $program_status ]] && grep -qE '^[0-9]+ passed, [0-9]+ failed$' "$log" || died=1
    record_gtest "${kit_labels[$program]}, $zip_arch (Wine)" "$log" "${program_status:-1}"
    kit_passed=$((kit_passed + gtest_passed)) kit_failed=$((kit_failed + gtest_failed))
  done
  # A program that died leaves no line of its own: the script counts it as
  # one failure, where the counts above have the tests it finished.
  last=$(tail -n 1 "$results")
  if ((died == 0)) && [[ $last == "$kit_passed passed, $kit_failed failed" ]] &&
    (((status == 0) == (kit_failed == 0))); then
    record "run-tests.cmd, $zip_arch (Wine cmd)" 1 0
  elif ((died == 1)) && [[ $last =~ ^[0-9]+\ passed,\ [1-9][0-9]*\ failed$ ]] && ((status != 0)); then
    record "run-tests.cmd, $zip_arch (Wine cmd)" 1 0
  else
    echo "run-tests.cmd ended with \"$last\" and exit code $status; the programs: $kit_passed passed, $kit_failed failed"
    record "run-tests.cmd, $zip_arch (Wine cmd)" 0 1
  fi
}

# The Wine prefix of the wine stage; empty when it could not be set up.
prefix=

# Under Wine: the screenshots when the 64-bit build is in this run, then the
# test kit of each Windows build of this run.
stage_wine() {
  local arch program
  qb_say "Starting Xvfb and a fresh Wine prefix"
  prefix=$scratch/wineprefix
  if ! qb_wine_session "$prefix" virtual; then
    record "Wine session could not be set up" 0 1
    prefix=
  fi
  if [[ -n $prefix ]] && wants win64 && windows_ready build-win64 Quellbrook &&
    windows_ready build-win64 quellbrook_window_probe; then
    qb_say "Screenshots of the main window and the HOSTS window"
    qb_screenshots "$prefix" "$scratch/shot" "$scratch/shot.log" \
      main="$QB_ROOT/build-win64/e2e-main-window.png" \
      hosts="$QB_ROOT/build-win64/e2e-hosts-window.png"
  fi
  for arch in "${arches[@]}"; do
    if [[ $arch == 32 ]] && ! qb_runs_x86_32; then
      for program in "${kit_programs[@]}"; do skip "${kit_labels[$program]}, x86" "$no_x86_32"; done
      skip "run-tests.cmd, x86" "$no_x86_32"
    else
      run_test_kit "$arch"
    fi
  done
}

# check_release_zip DIR ARCH TESTED-SHA256: DIR's one release zip is named
# after the version and holds the four scripts as in batch/, the read-me, the
# third-party notices, the SHA-256 list of those seven files and an exe
# carrying the version; with a TESTED-SHA256, that exe is exactly the one that
# was tested. Its test kit fits beside it.
check_release_zip() {
  local dir=$QB_ROOT/$1 arch=$2 tested=$3 version zip zips unpacked faults=()
  version=$(head -n 1 "$dir/version/quellbrook_version.txt")
  zips=()
  for zip in "$dir"/Quellbrook-*-"$arch".zip; do
    [[ $zip == *-tests-"$arch".zip ]] || zips+=("$zip")
  done
  if [[ ${#zips[@]} -ne 1 || ${zips[0]} != "$dir/Quellbrook-$version-$arch.zip" ]]; then
    echo "want only $dir/Quellbrook-$version-$arch.zip, found: ${zips[*]}"
    return 1
  fi
  unpacked=$(mktemp -d -p "$scratch")
  (cd "$unpacked" && cmake -E tar xf "${zips[0]}") || return 1
  local expected=(Quellbrook.exe "${QB_SCRIPTS[@]}" README.txt THIRD-PARTY-NOTICES.txt SHA256SUMS.txt) script
  [[ $(cd "$unpacked" && find . -mindepth 1 -printf '%P\n' | sort) == $(printf '%s\n' "${expected[@]}" | sort) ]] ||
    faults+=("it holds $(cd "$unpacked" && find . -mindepth 1 -printf '%P ')")
  [[ $(tr -d '\r' <"$unpacked/SHA256SUMS.txt" | cut -d' ' -f3- | sort) == $(printf '%s\n' "${expected[@]:0:7}" | sort) ]] ||
    faults+=("SHA256SUMS.txt does not list exactly the other seven files")
  (cd "$unpacked" && sha256sum --check --strict --quiet SHA256SUMS.txt) || faults+=("a checksum does not match")
  if [[ $tested != untested ]]; then
    [[ -n $tested && $(sha256sum <"$unpacked/Quellbrook.exe" | cut -d' ' -f1) == "$tested" ]] ||
      faults+=("its Quellbrook.exe is not the one the end-to-end tests ran")
  fi
  printf '%s' "$version" | iconv -t UTF-16LE >"$unpacked/version.utf16"
  grep -qaFf "$unpacked/version.utf16" "$unpacked/Quellbrook.exe" ||
    faults+=("the exe's version resource does not say $version")
  for script in "${QB_SCRIPTS[@]}"; do
    cmp -s "$unpacked/$script" "$QB_ROOT/batch/$script" || faults+=("$script differs from batch/$script")
  done
  # The test kit of the same version holds its script and programs, and
  # unpacks beside those files without replacing one of them.
  local kit_files name
  kit_files=$(cmake -E tar tf "$dir/Quellbrook-$version-tests-$arch.zip" | sort) || faults+=("no test kit")
  for name in run-tests.cmd "${kit_programs[@]}"; do
    grep -qxF "$name" <<<"$kit_files" || faults+=("the test kit lacks $name")
  done
  [[ -z $(comm -12 <(printf '%s\n' "${expected[@]}" | sort) - <<<"$kit_files") ]] ||
    faults+=("the test kit would replace files of the release zip")
  [[ $(head -c 3 "$unpacked/README.txt" | od -An -tx1 | tr -d ' ') == efbbbf &&
    $(grep -c $'\r$' "$unpacked/README.txt") -eq $(wc -l <"$unpacked/README.txt") ]] ||
    faults+=("README.txt is not UTF-8 with a byte order mark and CR LF line ends")
  ((${#faults[@]} == 0)) && return 0
  echo "${zips[0]}:"
  printf '  %s\n' "${faults[@]}"
  return 1
}

# The release zips, packed from the very builds whose programs were tested
# when wine is in this run.
stage_release() {
  local arch zip_arch tested label
  for arch in "${arches[@]}"; do
    zip_arch=x${arch/32/86}
    qb_say "Release zip, $zip_arch (build-win$arch)"
    label="release zip, $zip_arch"
    tested=${tested_exe[$arch]:-}
    if ! wants wine; then
      echo "The wine stage is not in this run: the zip's Quellbrook.exe is not compared with a tested one."
      label="$label (exe not compared)"
      tested=untested
    elif [[ $arch == 32 ]] && ! qb_runs_x86_32; then
      echo "The x86 kit was skipped ($no_x86_32): the zip's Quellbrook.exe is not compared with a tested one."
      label="$label (exe untested here)"
      tested=untested
    fi
    if [[ ${windows_built[build-win$arch]} != 1 ]]; then
      record "release zip, $zip_arch (build failed)" 0 1
    elif cmake --build "$QB_ROOT/build-win$arch" --target release_zip test_kit_zip &&
      check_release_zip "build-win$arch" "$zip_arch" "$tested"; then
      record "$label" 1 0
    else
      record "$label" 0 1
    fi
  done
}

for stage in "${stages[@]}"; do
  wants "$stage" || continue
  stage_started=$(date +%s)
  "stage_$stage"
  note "$(printf '%-34s %4d s' "stage $stage took" $(($(date +%s) - stage_started)))"
done

qb_cleanup

echo
echo "Results:"
printf '  %s\n' "${report[@]}"
echo "Took $(($(date +%s) - started)) s."
echo "$passed_total passed, $failed_total failed, $skipped_total skipped"
((failed_total == 0))

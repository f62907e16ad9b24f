# shellcheck shell=bash
# Shell helpers shared by run.sh, test.sh and tools/screenshots.sh: packages,
# builds, a Wine session (a private prefix on a private or a real X display)
# and screenshots of the program's windows. Source this file; it only defines
# functions and QB_* variables.
#
# Wine always runs here with:
#   WINEPREFIX  a prefix of our own, never ~/.wine;
#   WINEDEBUG=-all;
#   LC_ALL=zh_CN.UTF-8, which gives Windows programs code page 936 even when
#   that Linux locale is not generated. It is passed through env(1) so that
#   bash does not warn that it cannot switch to that locale itself.

QB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

QB_PACKAGES=(build-essential g++ cmake python3 libgtest-dev googletest clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb fonts-wqy-zenhei fonts-arphic-uming imagemagick xauth publicsuffix)

# The four scripts that lie beside Quellbrook.exe.
QB_SCRIPTS=(xp.bat vista.bat Win7.bat bf.bat)

QB_XVFB_PID=
QB_CLEANUP_PREFIXES=()
QB_CLEANUP_DIRS=()

qb_say() { printf '\n==> %s\n' "$*"; }
qb_warn() { printf 'warning: %s\n' "$*" >&2; }
qb_die() {
  printf 'error: %s\n' "$*" >&2
  exit 1
}

qb_jobs() { nproc 2>/dev/null || echo 2; }

# True when this machine runs 32-bit x86 programs. Many of today's kernels have
# 32-bit emulation disabled ("Exec format error" for any i386 program, Wine's
# 32-bit loader included), so this is decided once by starting one: a minimal
# static Linux i386 program that only exits with status 42. QB_RUNS_X86_32=yes
# or no forces the answer, to try either path on any machine.
qb_runs_x86_32() {
  if [[ -z ${QB_RUNS_X86_32:-} ]]; then
    local probe status=0
    probe=$(mktemp)
    # ELF header, one loadable segment at 0x08048000, then: push 42; pop ebx;
    # xor eax,eax; inc eax (exit); int 0x80.
    printf '%b' '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08' \
      '\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0' \
      '\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x5c\0\0\0\x5c\0\0\0\x05\0\0\0\0\x10\0\0' \
      '\x6a\x2a\x5b\x31\xc0\x40\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    if ((status == 42)); then QB_RUNS_X86_32=yes; else QB_RUNS_X86_32=no; fi
    export QB_RUNS_X86_32
  fi
  case $QB_RUNS_X86_32 in
    yes) return 0 ;;
    no) return 1 ;;
    *) qb_die "QB_RUNS_X86_32 is \"$QB_RUNS_X86_32\"; it takes yes or no" ;;
  esac
}

# The Wine loader every call here goes through, in QB_WINE_LOADER. Where
# 32-bit code runs, Debian's wine command, whose 32-bit loader (wine32:i386)
# starts both kinds of program. Elsewhere that loader cannot start at all, so
# the 64-bit one is called directly, from where the wine64 package put it,
# with WINELOADER naming it for the processes Wine starts itself.
qb_wine_loader() {
  [[ -n ${QB_WINE_LOADER:-} ]] && return 0
  if qb_runs_x86_32; then
    QB_WINE_LOADER=wine
  else
    QB_WINE_LOADER=$(dpkg -L wine64 2>/dev/null | grep -m 1 '/wine64$') ||
      qb_die "the wine64 package is not installed"
    export WINELOADER=$QB_WINE_LOADER
  fi
  export QB_WINE_LOADER
}

# Installs the missing Debian packages; does nothing when all are present.
# Without root it prints the command to run and exits non-zero.
qb_ensure_packages() {
  command -v dpkg-query >/dev/null 2>&1 ||
    qb_die "dpkg-query not found; the quick start needs Debian 12"
  local missing=() package packages=("${QB_PACKAGES[@]}")
  # The 32-bit Wine runs the x86 build of the program, where 32-bit code runs
  # at all; elsewhere it could only break the wine command.
  qb_runs_x86_32 && packages+=(wine32:i386)
  # npm runs the workflow's validator; a machine may have it from elsewhere.
  command -v npm >/dev/null 2>&1 || packages+=(npm)
  for package in "${packages[@]}"; do
    if [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) != "install ok installed" ]]; then
      missing+=("$package")
    fi
  done
  ((${#missing[@]} == 0)) && return 0
  if [[ $(id -u) -ne 0 ]]; then
    printf 'Missing packages: %s\nRun as root, then try again:\n' "${missing[*]}" >&2
    printf 'apt-get update && apt-get install -y %s\n' "${missing[*]}"
    exit 1
  fi
  qb_say "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [[ " ${missing[*]} " == *:i386* ]]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  fi
  apt-get update
  apt-get install -y "${missing[@]}"
}

# qb_build DIR [CONFIGURE-ARGS...]: configures and builds one build folder
# under the repository; QB_TARGETS, if set, limits the build to those targets.
qb_build() {
  local dir=$1 names=() targets=()
  shift
  read -ra names <<<"${QB_TARGETS:-}"
  ((${#names[@]} > 0)) && targets=(--target "${names[@]}")
  cmake -S "$QB_ROOT" -B "$QB_ROOT/$dir" "$@" &&
    cmake --build "$QB_ROOT/$dir" -j "$(qb_jobs)" "${targets[@]}"
}

qb_build_win64() { qb_build build-win64 -DCMAKE_TOOLCHAIN_FILE="$QB_ROOT/cmake/mingw-x86_64.cmake"; }

# A Linux path as Windows programs under Wine see it (drive Z: is /).
qb_winpath() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# qb_wine PREFIX PROGRAM [ARGS...]. With QB_WINE_TIMEOUT set, Wine is ended
# after that many seconds (and killed 15 s later).
qb_wine() {
  local prefix=$1 limit=()
  shift
  [[ -n ${QB_WINE_TIMEOUT:-} ]] && limit=(timeout --kill-after=15 "$QB_WINE_TIMEOUT")
  qb_wine_loader
  "${limit[@]}" env WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 "$QB_WINE_LOADER" "$@"
}

qb_wineserver() {
  local prefix=$1
  shift
  env WINEPREFIX="$prefix" wineserver "$@"
}

# qb_regedit PREFIX LINE...: imports registry lines (the body of a .reg file,
# UTF-8 here) into the prefix. regedit reads the file as UTF-16, so Chinese
# value names arrive intact whatever the Linux locale.
qb_regedit() {
  local prefix=$1 file status=0
  shift
  file=$(mktemp --suffix=.reg)
  {
    printf '\xff\xfe'
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '%s\r\n' "$@"
    } | iconv -f UTF-8 -t UTF-16LE
  } >"$file"
  qb_wine "$prefix" regedit /S "$(qb_winpath "$file")" || status=$?
  rm -f "$file"
  return "$status"
}

# qb_prepare_prefix PREFIX: creates and configures the prefix once; a marker
# file says the set-up finished. Needs $DISPLAY.
qb_prepare_prefix() {
  local prefix=$1
  [[ -f $prefix/.quellbrook-prefix ]] && return 0
  qb_say "Creating the Wine prefix $prefix"
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  # No Mono or Gecko: the program needs neither, and their installers would
  # ask questions.
  if ! WINEDLLOVERRIDES="mscoree,mshtml=" qb_wine "$prefix" wineboot -i >"$prefix.wineboot.log" 2>&1; then
    cat "$prefix.wineboot.log" >&2
    return 1
  fi
  rm -f "$prefix.wineboot.log"
  # SimSun and SimHei are not installed: a Song face with SimSun's compact
  # metrics stands in for the Song faces, a Hei face for the Hei ones.
  qb_regedit "$prefix" \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"宋体"="AR PL UMing CN"' \
    '"SimSun"="AR PL UMing CN"' \
    '"新宋体"="AR PL UMing CN"' \
    '"黑体"="WenQuanYi Zen Hei"' \
    '"SimHei"="WenQuanYi Zen Hei"' || return 1
  # Let the server write the registry to disk before the prefix counts as done.
  qb_wineserver "$prefix" -w
  touch "$prefix/.quellbrook-prefix"
}

# qb_window_manager PREFIX virtual|real. On a bare virtual display no window
# manager answers, so Wine must draw and place windows itself (otherwise each
# message box waits about 2 s when it closes); on a real desktop the window
# manager does it.
qb_window_manager() {
  local prefix=$1 value
  if [[ $2 == virtual ]]; then value='"N"'; else value='-'; fi
  qb_regedit "$prefix" \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
    "\"Managed\"=$value" \
    "\"Decorated\"=$value"
}

# qb_wine_session PREFIX virtual|real: the one set-up of Wine for every script
# here. "virtual" starts a private Xvfb and exports its DISPLAY; "real" uses
# $DISPLAY as it is. Then it creates the prefix if needed, registers it so
# that qb_cleanup ends its Wine processes, and tells Wine whether a window
# manager places the windows. Warns and returns 1 when a step fails.
qb_wine_session() {
  local prefix=$1 display_kind=$2
  if [[ $display_kind == virtual ]]; then
    qb_start_xvfb || return 1
  fi
  QB_CLEANUP_PREFIXES+=("$prefix")
  if ! qb_prepare_prefix "$prefix" || ! qb_window_manager "$prefix" "$display_kind"; then
    qb_warn "the Wine prefix $prefix could not be set up"
    return 1
  fi
}

# Prints "real" when $DISPLAY answers, else "virtual": the display kind for
# qb_wine_session.
qb_display_kind() {
  if qb_display_usable; then echo real; else echo virtual; fi
}

# True when $DISPLAY names an X display that answers.
qb_display_usable() {
  [[ -n ${DISPLAY:-} ]] && timeout 10 import -silent -window root -crop 1x1+0+0 null: >/dev/null 2>&1
}

# Starts Xvfb on a free display number and exports DISPLAY; returns 1 if it
# does not come up.
qb_start_xvfb() {
  local number_file number i
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  QB_XVFB_PID=$!
  for ((i = 0; i < 200; i++)); do
    [[ $(wc -l <"$number_file") -ge 1 ]] && break
    kill -0 "$QB_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  number=$(tr -dc '0-9' <"$number_file")
  rm -f "$number_file"
  if [[ -z $number ]]; then
    qb_stop_xvfb
    qb_warn "Xvfb did not start"
    return 1
  fi
  export DISPLAY=":$number"
}

qb_stop_xvfb() {
  if [[ -n $QB_XVFB_PID ]]; then
    kill "$QB_XVFB_PID" 2>/dev/null
    wait "$QB_XVFB_PID" 2>/dev/null
    QB_XVFB_PID=
  fi
}

# Ends every Wine process of the prefix (and its server).
qb_kill_wine() { qb_wineserver "$1" -k >/dev/null 2>&1 || true; }

# qb_wait_for_main_window PREFIX SECONDS [hosts|extra]: prints the main window's
# screen rectangle as ImageMagick crop geometry once it is on screen; with
# "hosts", presses "HOSTS迷你防火墙" and prints the HOSTS window's instead.
qb_wait_for_main_window() {
  local probe=$QB_ROOT/build-win64/tests/e2e/quellbrook_window_probe.exe
  [[ -f $probe ]] || {
    qb_warn "$probe is missing"
    return 1
  }
  qb_wine "$1" "$probe" "$2" ${3:+"$3"} 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# qb_fresh_work_folder DIR: DIR holding fresh copies of the four scripts from
# build-win64.
qb_fresh_work_folder() {
  local dir=$1 script
  rm -rf "$dir"
  mkdir -p "$dir"
  for script in "${QB_SCRIPTS[@]}"; do
    cp "$QB_ROOT/build-win64/$script" "$dir/" || return 1
  done
}

# qb_screenshots PREFIX WORK LOG WINDOW=FILE...: starts build-win64's
# Quellbrook.exe in the prefix, in WORK refilled by qb_fresh_work_folder, its
# output to LOG; then for each WINDOW in turn (main, or hosts or extra, which
# the window probe opens by pressing their buttons) waits until it is on
# screen, lets it paint and saves it, cropped to the window, to FILE. Ends the
# program afterwards. Returns 1 when a window did not appear (the later ones
# are not tried) or a picture could not be saved.
qb_screenshots() {
  local prefix=$1 work=$2 log=$3 shot window button file geometry program status=0
  shift 3
  qb_fresh_work_folder "$work" || return 1
  (cd "$work" && qb_wine "$prefix" "$QB_ROOT/build-win64/Quellbrook.exe") >"$log" 2>&1 &
  program=$!
  for shot in "$@"; do
    button=${shot%%=*} file=${shot#*=}
    case $button in
      main) window="main window" button= ;;
      hosts) window="HOSTS window" ;;
      extra) window="隔外优化 window" ;;
      *) window="$button window" ;;
    esac
    if ! geometry=$(qb_wait_for_main_window "$prefix" 60 ${button:+"$button"}); then
      qb_warn "the $window did not appear; no $file (see $log)"
      status=1
      break
    fi
    sleep 1
    if import -window root -crop "$geometry" +repage "$file"; then
      echo "The $window at $geometry (screen position): $file"
    else
      status=1
    fi
  done
  qb_kill_wine "$prefix"
  wait "$program" 2>/dev/null || true
  return "$status"
}

# Run from an EXIT trap, and once more by hand is harmless: ends Wine in the
# registered prefixes, stops Xvfb, removes the registered folders.
qb_cleanup() {
  local prefix dir
  for prefix in "${QB_CLEANUP_PREFIXES[@]}"; do qb_kill_wine "$prefix"; done
  QB_CLEANUP_PREFIXES=()
  qb_stop_xvfb
  for dir in "${QB_CLEANUP_DIRS[@]}"; do rm -rf "$dir"; done
  QB_CLEANUP_DIRS=()
}

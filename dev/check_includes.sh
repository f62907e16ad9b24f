#!/usr/bin/env bash
# The layers look only down: core <- forms <- features (scripts, tweaks, hosts,
# then app) <- win32 (system <- ui <- program). Checks every quoted include of
# the C++ sources against the folder it is in, prints each one that looks the
# wrong way as `file:line: <include> (rule)` and fails when there is one.
# System headers (<...>) are not the layers' business and are not checked.
#
# resource_ids.h (res/) holds the IDs of the icons and pictures that the window
# tables name and that res/quellbrook.rc defines: the window tables' folders
# (the features and app) may include it, no other folder under src/.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2

mapfile -t files < <(find src tests bench tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
((${#files[@]} > 0)) || { echo "include directions: no source found" >&2; exit 2; }

grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${files[@]}" | awk -F: -v checked="${#files[@]}" '
# The rule `file` breaks by including `inc`, or "" when it may.
function broken(file, inc,    own) {
  if (file ~ /^src\//) {
    if (inc == "resource_ids.h" && file ~ /^src\/(scripts|tweaks|hosts|app)\//) return ""
    if (file ~ /^src\/core\//) return inc ~ /^core\// ? "" : "src/core includes only core/"
    if (file ~ /^src\/forms\//) return inc ~ /^(core|forms)\// ? "" : "src/forms includes only core/ and forms/"
    if (match(file, /^src\/(scripts|tweaks|hosts)\//)) {
      own = substr(file, 5, RLENGTH - 4)
      return inc ~ /^(core|forms)\// || index(inc, own) == 1 ? "" : "a feature includes only core/, forms/ and itself"
    }
    if (file ~ /^src\/app\//)
      return inc ~ /^(core|forms|app|scripts|tweaks|hosts)\// ? "" : "src/app includes only core/, forms/, app/ and the features"
    if (file ~ /^src\/win32\/system\//)
      return inc ~ /^(core|forms|win32\/system)\// ? "" : "src/win32/system includes only core/, forms/ and win32/system/"
    if (file ~ /^src\/win32\/ui\//)
      return inc ~ /^(core|forms|win32\/system|win32\/ui)\// ? "" : "src/win32/ui includes only core/, forms/, win32/system/ and win32/ui/"
    if (file ~ /^src\/win32\/program\//)
      return inc ~ /^(core|forms|win32|app|scripts|tweaks|hosts)\// ? "" : "src/win32/program includes only core/, forms/, win32/ and the features"
    return "a source outside the layers"
  }
  if (inc ~ /^win32\// && file !~ /^(tests\/win32|tests\/e2e|bench\/win32)\//)
    return "only src/win32, tests/win32, tests/e2e and bench/win32 include win32/"
  return ""
}
{
  file = $1; line = $2
  inc = $0; sub(/^[^"]*"/, "", inc); sub(/".*$/, "", inc)
  rule = broken(file, inc)
  if (rule != "") { printf "%s:%s: %s (%s)\n", file, line, inc, rule; violations++ }
}
END {
  if (violations) { printf "include directions: %d violation(s) in %d files\n", violations, checked; exit 1 }
  printf "include directions: %d files checked, no violation\n", checked
}'

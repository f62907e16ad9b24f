#!/bin/sh
# Writes batch/*.bat from the UTF-8 sources in tools/batch/utf8/: code page 936
# (what cmd.exe and the program read on Chinese Windows), every line ending in CR LF.
# With --check, writes nothing and fails if a checked-in script differs from its source.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out_dir=$(cd "$here/../.." && pwd)/batch
check=false
case "${1-}" in
  --check) check=true ;;
  "") ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
status=0
for src in "$here"/utf8/*.bat; do
  name=$(basename "$src")
  if [ "$(tail -c 1 "$src" | od -An -c | tr -d ' ')" != '\n' ]; then
    echo "$src: last line has no line end" >&2; exit 1
  fi
  if grep -q "$(printf '\r')" "$src"; then
    echo "$src: holds CR; keep the UTF-8 source in LF" >&2; exit 1
  fi
  sed 's/$/\r/' "$src" | iconv -f UTF-8 -t CP936 > "$tmp"
  if $check; then
    if ! cmp -s "$tmp" "$out_dir/$name"; then
      echo "batch/$name is out of date; run $0" >&2
      status=1
    fi
  else
    cat "$tmp" > "$out_dir/$name"
    echo "wrote batch/$name"
  fi
done
exit $status

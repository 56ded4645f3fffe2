#!/usr/bin/env bash
# Checks the licence notices against the program file: scripts/notices-check.sh <nolt_f_r.exe>
# <LICENCJE.txt>. Each third-party component that can end up in nolt_f_r.exe leaves strings of its
# own in it (its messages, its names); a component found so must have its notice in LICENCJE.txt
# (a line of its name heading its full text), or the check fails. A component whose notice
# is there but which is not found (a build without it, or one that leaves no string) is only
# reported. Prints one line per component.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: notices-check <nolt_f_r.exe> <LICENCJE.txt>" >&2; exit 2; }
exe=$1
notices=$2
[ -f "$exe" ] && [ -f "$notices" ] || { echo "notices-check: $exe or $notices is missing" >&2; exit 2; }

# heading in LICENCJE.txt ; what the component leaves (an extended regular expression) ; where:
# a (its 8-bit strings), w (its UTF-16 strings) or x (the file's bytes, a Perl regular
# expression). Some components leave no text of their own; the Qt class built on one stands for it.
components='
zlib;(in|de)flate [0-9.]+ Copyright;a
libpng;libpng version;a
libjpeg (libjpeg-turbo);Not a JPEG file|Bogus Huffman table definition;a
FreeType;^t1cid$;a
HarfBuzz;HB_OPTIONS;a
PCRE2;quantifier does not follow a repeatable item;a
double-conversion;^-?Infinity$;a
md4c;malformed table in Markdown input;a
tinycbor;QCborStreamReader::leaveContainer;a
Easing equations;QEasingCurve: Invalid curve type;a
SHA-2 (RFC 6234);\x98\x2f\x8a\x42\x91\x44\x37\x71;x
SHA-3 (Keccak);\x8a\x80\x00\x00\x00\x00\x00\x80;x
Unicode data;polski;w
libzip;Multi-disk zip archives not supported;a
GCC runtime libraries (libstdc++, libgcc);basic_string;a
mingw-w64 runtime (CRT and winpthreads);Mingw-w64 runtime failure;a
freedesktop.org MIME database;\.qtmimed;x
'
# The MIME database has no notice on purpose: Qt for Windows is built without it (GPL-2.0-or-later).
# libjpeg has none while the program links no JPEG reader.

text=$(mktemp -d)
trap 'rm -rf "$text"' EXIT
strings -a -n 5 "$exe" | tr -d '\r' >"$text/a"
strings -a -n 5 -e l "$exe" | tr -d '\r' >"$text/w"
ln -s "$(realpath "$exe")" "$text/x"
tr -d '\r' <"$notices" | sed '1s/^\xEF\xBB\xBF//' >"$text/notices"

failed=0
while IFS=';' read -r heading marker encoding; do
  [ -n "$marker" ] || continue
  found=no
  if [ "$encoding" = x ]; then
    LC_ALL=C grep -aPq -- "$marker" "$text/x" && found=yes
  else
    grep -Eq -- "$marker" "$text/$encoding" && found=yes
  fi
  named=no
  grep -qxF -- "$heading" "$text/notices" && named=yes
  label=$heading
  case "$found/$named" in
    yes/yes) echo "notices-check: $label: in the program, its notice given" ;;
    no/yes) echo "notices-check: $label: not found in the program, its notice given all the same" ;;
    yes/no) echo "notices-check: $label: IN THE PROGRAM WITHOUT ITS NOTICE"; failed=1 ;;
    no/no) echo "notices-check: $label: not in the program, no notice" ;;
  esac
done <<<"$components"
[ "$failed" -eq 0 ] || { echo "notices-check: LICENCJE.txt does not name everything the program holds" >&2; exit 1; }
echo "notices-check: every component found in the program has its notice"

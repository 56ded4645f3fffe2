#!/usr/bin/env bash
# The installer under Wine, as an office's administrator meets it, every step silent
# ("msiexec ... /qn") with a log:
#   1. per user: the program in the user's programs folder with its Start-menu shortcut, started
#      from there until its window shows and closed with its close button;
#   2. a rebuild of the same version (another ProductCode) replaces it;
#   3. a newer version replaces that;
#   4. the older one is then refused, with its message, and changes nothing;
#   5. removed;
#   6. per machine (ALLUSERS=1): the program in Program Files, the shortcut in the common Start
#      menu; a rebuild of the same version replaces it; removed.
# After each install exactly one "NOLT-Fr" entry is in the lists of programs (the machine's and
# the user's hives together), naming its publisher, version, language and install folder; after
# each removal nothing of it is left in either hive nor on the disk. The rebuild and the versions
# around are the given MSI with another ProductCode and version (and the upgrade rows that go
# with a version), as package-windows.sh would write them.
#
# Usage: scripts/msi-round.sh <NOLT-Fr-...-x64.msi> <output folder> <Wine prefix>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: msi-round <msi> <output folder> <Wine prefix>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x-display.sh"
round=msi-round
mkdir -p "$2"
out=$(cd "$2" && pwd)
log="$out/$round.log"
: >"$log"
use_virtual_display
use_wine_prefix "$3"
wine=("${wine_run[@]}")
windows_name() { echo "Z:$(echo "$1" | tr / '\\')"; }

# The packages of the round.
property() { msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v name="$2" '$1 == name { print $2 }'; }
msi="$out/current.msi"
cp "$1" "$msi"
version=$(property "$msi" ProductVersion)
upgrade_code=$(property "$msi" UpgradeCode | tr a-f A-F)
IFS=. read -r major minor patch <<<"$version"
# variant <file> <version>: the package with a new ProductCode and the given version.
variant() {
  cp "$msi" "$1"
  local code
  code="{$(cat /proc/sys/kernel/random/uuid | tr a-f A-F)}"
  # msibuild takes the summary (with the package's own code) alone.
  msibuild "$1" -s "NOLT-Fr $2" "$(property "$msi" Manufacturer)" "x64;1045" "$code" >>"$log" 2>&1 ||
    fail "could not make the package $1"
  msibuild "$1" -q "UPDATE \`Property\` SET \`Value\` = '$code' WHERE \`Property\` = 'ProductCode'" \
    -q "UPDATE \`Property\` SET \`Value\` = '$2' WHERE \`Property\` = 'ProductVersion'" \
    -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'NOLT_REPLACED'" \
    -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'NOLT_NEWER_INSTALLED'" \
    -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '0.0.0', '$2', 768, 'NOLT_REPLACED')" \
    -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '$2', 2, 'NOLT_NEWER_INSTALLED')" \
    >>"$log" 2>&1 || fail "could not make the package $1"
  [ "$(property "$1" ProductVersion)" = "$2" ] && [ "$(msiinfo export "$1" Upgrade | grep -c "$2")" -eq 2 ] ||
    fail "the package $1 did not come out as meant"
}
rebuild="$out/rebuild.msi"
newer="$out/newer.msi"
newer_version="$major.$minor.$((patch + 1))"
variant "$rebuild" "$version"
variant "$newer" "$newer_version"

# msiexec_step <name> <msiexec arguments...>: one silent msiexec with a verbose log of its own;
# its status in status.
msiexec_step() {
  local name=$1
  shift
  status=0
  timeout 120 "${wine[@]}" msiexec "$@" /qn /l*v "$(windows_name "$out/$name.log")" >>"$log" 2>&1 ||
    status=$?
  echo "$round: $name: msiexec $* ended with $status" >>"$log"
}

# What the prefix holds of the program: its files and folders outside Wine's own, and in either
# hive every key or value that names it or its upgrade code (packed, as the installer keeps it).
packed_upgrade_code=$(echo "$upgrade_code" | tr -d '{}' | awk -F - '{
  r = ""; for (i = 1; i <= 3; i++) { s = $i; t = ""; for (j = length(s); j > 0; j--) t = t substr(s, j, 1); r = r t }
  s = $4 $5; for (j = 1; j < length(s); j += 2) r = r substr(s, j + 1, 1) substr(s, j, 1); print r }')
state() {
  # Windows Installer's own folder for the user, made at the first install, is the system's; what
  # a package leaves in it (its icon's folder) shows below it.
  (cd "$prefix/drive_c" && find . -path ./windows -prune -o -print | LC_ALL=C sort |
    grep -v '^\./users/[^/]*/AppData/Roaming/Microsoft/Installer$' || true)
  local hive
  for hive in HKLM HKCU; do
    "${wine[@]}" reg export "$hive\\Software" "$(windows_name "$out/.hive.reg")" /y >/dev/null 2>&1 ||
      fail "could not read $hive"
    iconv -f UTF-16LE -t UTF-8 "$out/.hive.reg" | tr -d '\r' |
      grep -i -E "nolt|$packed_upgrade_code" | sed "s/^/$hive: /" || true
  done
  rm -f "$out/.hive.reg"
}

# The entries of the lists of programs (HKLM and HKCU) named NOLT-Fr, one line each:
# hive, key, version, publisher, language, install folder.
apps_entries() {
  local hive
  for hive in HKLM HKCU; do
    # A hive without the key answers with an error, and no entry.
    { "${wine[@]}" reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null || true; } |
      tr -d '\r' | awk -v hive="$hive" '
        /^HKEY_/ { if (name == "NOLT-Fr") print_entry(); key = $0; name = ""; ver = ""; pub = ""; lang = ""; loc = "" }
        $1 == "DisplayName" { name = value() }
        $1 == "DisplayVersion" { ver = value() }
        $1 == "Publisher" { pub = value() }
        $1 == "Language" { lang = $3 }
        $1 == "InstallLocation" { loc = value() }
        END { if (name == "NOLT-Fr") print_entry() }
        function value(  s) { s = $0; sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, "", s); return s }
        function print_entry() { n = split(key, parts, /\\/); printf "%s %s version=%s publisher=%s language=%s location=%s\n", hive, parts[n], ver, pub, lang, loc }'
  done
}
# one_entry <step> <version> <folder pattern>: exactly one entry, of that version, with the
# publisher, Polish as its language and an install folder matching the pattern.
one_entry() {
  apps_entries >"$out/apps-$1.txt"
  cat "$out/apps-$1.txt" >>"$log"
  [ "$(wc -l <"$out/apps-$1.txt")" -eq 1 ] ||
    fail "$1: $(wc -l <"$out/apps-$1.txt") entries in the lists of programs instead of one (see $out/apps-$1.txt)"
  grep -Eq " version=$2 publisher=[^ ].* language=0x415 location=$3" "$out/apps-$1.txt" ||
    fail "$1: the entry lacks its version $2, publisher, language 0x415 or install folder $3: $(cat "$out/apps-$1.txt")"
}
nothing_left() { # <step>
  state >"$out/after-$1.txt"
  diff "$out/before.txt" "$out/after-$1.txt" >>"$log" || fail "$1: the removal left something behind (see the log)"
}

# start_and_close <program>: started as the shortcut starts it, closed with its close button.
start_and_close() {
  (exec env QT_QPA_PLATFORM=windows "${wine[@]}" "$1") >>"$log" 2>&1 &
  app=$!
  helpers+=($app)
  wait_for 60 xdotool search --onlyvisible --name '^NOLT-Fr$' || fail "the installed program's window did not appear"
  window=$(step xdotool search --onlyvisible --name '^NOLT-Fr$' | head -n 1)
  # Wine takes the first click on a window that is not active to activate it.
  geometry_of "$window"
  click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  for _ in 1 2; do
    click_close_button
    wait_for 10 program_ended && break
  done
  program_ended 2>/dev/null || fail "the close button did not end the installed program"
  wait "$app" || fail "the installed program ended with status $?"
}

state >"$out/before.txt"
[ -z "$(apps_entries)" ] || fail "the prefix holds a NOLT-Fr entry before the round"
users="$prefix/drive_c/users"
user_folder='C:\\users\\[^\\]+\\AppData\\Local\\Programs\\NOLT-Fr\\'
machine_folder='C:\\Program Files\\NOLT-Fr\\'

msiexec_step per-user /i "$(windows_name "$msi")"
[ "$status" -eq 0 ] || fail "per user: msiexec /i ended with status $status"
installed=$(find "$users" -path '*/AppData/Local/Programs/NOLT-Fr/nolt_f_r.exe' | head -n 1)
[ -n "$installed" ] || fail "per user: the program is not in the user's programs folder"
[ -n "$(find "$users" -path '*/Start Menu/Programs/NOLT-Fr.lnk')" ] ||
  fail "per user: the Start-menu shortcut NOLT-Fr is missing"
one_entry per-user "$version" "$user_folder"
start_and_close "$installed"
echo "$round: per user: installed, one entry, started and closed"

msiexec_step rebuild /i "$(windows_name "$rebuild")"
[ "$status" -eq 0 ] || fail "same-version rebuild: msiexec /i ended with status $status"
one_entry rebuild "$version" "$user_folder"
grep -qi "$(property "$rebuild" ProductCode | tr -d '{}')" "$out/apps-rebuild.txt" ||
  fail "same-version rebuild: the entry is not the rebuild's"
echo "$round: a rebuild of $version replaced it: one entry"

msiexec_step newer /i "$(windows_name "$newer")"
[ "$status" -eq 0 ] || fail "newer version: msiexec /i ended with status $status"
one_entry newer "$newer_version" "$user_folder"
echo "$round: $newer_version replaced it: one entry"

msiexec_step older /i "$(windows_name "$msi")"
[ "$status" -ne 0 ] || fail "older version: msiexec /i installed $version over $newer_version"
# Windows logs the launch condition's message; Wine logs the newer version found and the launch
# conditions failing, and the message is the package's.
grep -aq "NOLT_NEWER_INSTALLED = {" "$out/older.log" && grep -aq "LaunchConditions. Return value [^1]" "$out/older.log" ||
  fail "older version: the log does not show the newer version found and the launch conditions failing"
msiinfo export "$msi" LaunchCondition | grep -c "^NOT NOLT_NEWER_INSTALLED	A newer version of NOLT-Fr is already installed" >/dev/null ||
  fail "older version: the package does not carry its message"
one_entry older "$newer_version" "$user_folder"
echo "$round: $version over $newer_version refused (status $status) with its message: one entry"

msiexec_step remove /x "$(windows_name "$newer")"
[ "$status" -eq 0 ] || fail "per user: msiexec /x ended with status $status"
[ -z "$(apps_entries)" ] || fail "per user: an entry is left after the removal"
nothing_left per-user
echo "$round: per user: removed, nothing left in either hive nor on the disk"

msiexec_step per-machine /i "$(windows_name "$msi")" ALLUSERS=1
[ "$status" -eq 0 ] || fail "per machine: msiexec /i ALLUSERS=1 ended with status $status"
[ -f "$prefix/drive_c/Program Files/NOLT-Fr/nolt_f_r.exe" ] || fail "per machine: the program is not in Program Files"
[ -f "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/NOLT-Fr.lnk" ] ||
  fail "per machine: the shortcut NOLT-Fr is not in the common Start menu"
[ -z "$(find "$users" -iname '*nolt*')" ] || fail "per machine: something went to the user's folders"
one_entry per-machine "$version" "$machine_folder"
msiexec_step per-machine-rebuild /i "$(windows_name "$rebuild")" ALLUSERS=1
[ "$status" -eq 0 ] || fail "per machine, same-version rebuild: msiexec /i ended with status $status"
one_entry per-machine-rebuild "$version" "$machine_folder"
echo "$round: per machine: installed in Program Files, a rebuild replaced it: one entry"
msiexec_step per-machine-remove /x "$(windows_name "$rebuild")" ALLUSERS=1
[ "$status" -eq 0 ] || fail "per machine: msiexec /x ended with status $status"
[ -z "$(apps_entries)" ] || fail "per machine: an entry is left after the removal"
nothing_left per-machine
echo "$round: per machine: removed, nothing left in either hive nor on the disk"
rm -f "$rebuild" "$newer" "$msi"

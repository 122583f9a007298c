#!/usr/bin/env bash
# The Windows packages tried as a Windows user would, under Wine, from the
# packages alone: fresh Wine prefixes, no build folder on PATH, no Qt
# variables, only what the zip or the installer puts on the disk.
#
#   tests/wine/package-under-wine.sh PACKAGES WORK [LINUX_CLI]
#
# PACKAGES holds Declarium-<version>-win64.zip and Declarium-<version>-setup.exe
# (scripts/package-windows); WORK is a scratch folder, emptied first;
# LINUX_CLI, when given, is the Linux declarium-cli, whose answers on the same
# data.db the Windows one must give byte for byte.
#
# The zip: unpacked into a folder with Chinese characters in its name,
# declarium.exe copies MessageBoxA (the text on the clipboard must be the
# command line's declaration of it) and ends, writing Config.ini beside itself
# and nothing anywhere else; every DLL it loads comes from the package or
# Windows, and each one the package holds is loaded; declarium-cli.exe stats
# and --version, and the version resources, carry the package's version.
# The installer: setup.exe /S, the files, shortcuts and uninstall entry; the
# Start-menu shortcut starts the program in the install folder; uninstall /S
# removes everything of an untouched install, and keeps a changed data.db
# (and Config.ini), which installing again does not replace either.
#
# DECLARIUM_PACKAGE_DELETE=<file of the package> deletes that file from the
#   unpacked folder first, to see the checks name it.
# DECLARIUM_PACKAGE_PICTURES=<folder> also takes the pictures for docs/ there:
#   the main window (also at 144 DPI), the options dialog at 144 DPI and the
#   installer's first page.
# Exit code 0 when every check passed, 1 when one failed, 77 (skipped) when
# wine64, xvfb-run, the MinGW compiler or the packages are missing.
set -uo pipefail

packages=$1
work=$2
linux_cli=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
skip=77

# wine, wineserver, windows_path
source "$here/wine-common.sh"
command -v xvfb-run >/dev/null || { echo "SKIPPED: no xvfb-run (the program's windows need an X display)"; exit $skip; }
command -v x86_64-w64-mingw32-gcc >/dev/null ||
  { echo "SKIPPED: no x86_64-w64-mingw32-gcc for the clipboard reader (scripts/setup installs it)"; exit $skip; }
zip=$(ls "$packages"/Declarium-*-win64.zip 2>/dev/null | head -n 1)
setup=$(ls "$packages"/Declarium-*-setup.exe 2>/dev/null | head -n 1)
if [ -z "$zip" ] || [ -z "$setup" ]; then
  echo "SKIPPED: no Declarium-<version>-win64.zip and -setup.exe in $packages (scripts/package-windows makes them)"
  exit $skip
fi
version=$(basename "$zip")
version=${version#Declarium-}
version=${version%-win64.zip}

# Everything below runs on one virtual display.
if [ -z "${DECLARIUM_PACKAGE_DISPLAY:-}" ]; then
  rm -rf "$work"
  mkdir -p "$work"
  DECLARIUM_PACKAGE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

# What the package must hold, no more: the programs, the Qt DLLs and plugins
# declarium.exe loads, the MinGW runtime, Qt's Chinese texts, the catalogue,
# the guide and the licences.
expected_files="declarium.exe declarium-cli.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll
libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll
translations/qtbase_zh_CN.qm data.db 使用说明.txt licenses/说明.txt licenses/Qt.txt licenses/Qt-translations.txt
licenses/libxml2.txt licenses/SQLite.txt licenses/GCC-runtime.txt licenses/MinGW-w64.txt licenses/LGPL-3.txt
licenses/GPL-3.txt"
# The DLLs of the package that the desktop program loads.
expected_dlls=$(printf '%s\n' $expected_files | grep '\.dll$')

failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}
pass() { echo "ok: $*"; }

# Each prefix has its own home, so that Wine's Desktop (a link to the home)
# is in the work folder; Wine's own debug output is off unless asked for.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
unset WINEPATH QT_QPA_PLATFORM QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH QT_SCALE_FACTOR QT_FORCE_STDERR_LOGGING
fresh_prefix() {
  export WINEPREFIX=$work/$1 HOME=$work/$1-home
  mkdir -p "$HOME"
  "$wine" wineboot --init >"$work/$1-wineboot.log" 2>&1
  "$wineserver" -w
  [ -f "$WINEPREFIX/system.reg" ] || { cat "$work/$1-wineboot.log"; fail "no Wine prefix $1"; exit 1; }
  # The prefix's wineserver stays up between the programs, so that what one
  # put on the clipboard is still there for the next.
  "$wineserver" -p
}
end_prefix() { "$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null; }

# The files under a folder with size and modification time, for seeing what a
# program wrote. Wine's registry files and its links to devices
# (dosdevices/com1 when a program first asks for serial ports) are left out:
# Wine makes them itself.
snapshot() {
  (cd "$1" && find . \( -type f -o -type l \) ! -name '*.reg' ! -path './dosdevices/*' -printf '%P %s %T@\n' |
    LC_ALL=C sort)
}
changes() { diff "$1" "$2" | sed -n 's/^[<>] //p' | cut -d' ' -f1 | LC_ALL=C sort -u; }

# Runs declarium.exe in folder $1 (Windows path $2 of the program), which
# copies MessageBoxA and ends; the clipboard's text goes to $3.clipboard,
# Wine's log of loaded DLLs to $3.log. Further arguments: variables for it.
run_program() {
  local folder=$1 program=$2 out=$3
  shift 3
  (cd "$folder" && env WINEDEBUG=+loaddll,err+module DECLARIUM_SCREENSHOT="$(windows_path "$out.png")" \
    DECLARIUM_SCREENSHOT_SELECT=MessageBoxA DECLARIUM_SCREENSHOT_COMMAND=10006 "$@" \
    timeout 120 "$wine" "$program" >"$out.out" 2>"$out.log")
  echo $? >"$out.rc"
  "$wine" "$work/clipboard-text.exe" >"$out.clipboard" 2>/dev/null
}

# The modules Wine's log says were loaded, with / between folders. The log writes \\ for a backslash and \XXXX for a character outside ASCII.
unescape() { perl -CS -pe 's/\\(\\|[0-9a-f]{4})/$1 eq "\\" ? "\/" : chr(hex($1))/ge'; }
loaded_from() { grep -o 'Loaded L"[^"]*"' "$1" | sed 's/^Loaded L"//; s/"$//' | unescape; }

# The clipboard reader, made here: it is no part of the package.
x86_64-w64-mingw32-gcc -O1 -s -o "$work/clipboard-text.exe" "$here/clipboard-text.c" ||
  { echo "FAILED: the clipboard reader does not build"; exit 1; }

echo "== The portable zip: $(basename "$zip")"
fresh_prefix portable
folder_windows='C:\工具\Declarium-'$version'-win64'
folder=$WINEPREFIX/drive_c/工具/Declarium-$version-win64
mkdir -p "$WINEPREFIX/drive_c/工具"
unzip -q "$zip" -d "$WINEPREFIX/drive_c/工具" || fail "unzip"
if [ -n "${DECLARIUM_PACKAGE_DELETE:-}" ]; then
  rm -f "$folder/$DECLARIUM_PACKAGE_DELETE"
  echo "(deleted $DECLARIUM_PACKAGE_DELETE from the unpacked folder)"
fi
held=$(cd "$folder" && find . -type f -printf '%P\n' | LC_ALL=C sort)
wanted=$(printf '%s\n' $expected_files | LC_ALL=C sort)
missing=$(comm -13 <(echo "$held") <(echo "$wanted"))
extra=$(comm -23 <(echo "$held") <(echo "$wanted"))
[ -z "$missing" ] || fail "missing from the package: $(echo $missing)"
[ -z "$extra" ] || fail "in the package but not expected: $(echo $extra)"
[ -n "$missing$extra" ] || pass "the zip holds the $(echo "$wanted" | wc -l) expected files"
cp "$folder/data.db" "$work/data.db.packaged" 2>/dev/null

snapshot "$WINEPREFIX" >"$work/portable-before.txt"
snapshot "$HOME" >"$work/home-before.txt"
run_program "$folder" "$folder_windows\\declarium.exe" "$work/portable"
rc=$(cat "$work/portable.rc")
grep -o 'Library [^ ]* (which is needed by [^)]*) not found' "$work/portable.log" | sort -u | unescape |
  while read -r line; do echo "FAILED: $line"; done
grep -q 'Library .* not found' "$work/portable.log" && failed=1
[ "$rc" = 0 ] || fail "declarium.exe exited with $rc (Wine's log: $work/portable.log)"

# Every DLL from the package or from Windows, each DLL of the package loaded.
loaded=$(loaded_from "$work/portable.log")
prefix_c=${folder_windows//\\/\/}
for dll in $expected_dlls; do
  grep -qixF "$prefix_c/$dll" <<<"$loaded" || fail "$dll of the package was not loaded"
done
outside=$(echo "$loaded" | grep -v -i -e "^$prefix_c/" -e '^C:/windows/' | sort -u)
[ -z "$outside" ] || fail "DLLs loaded from outside the package and Windows: $(echo $outside)"
[ -n "$loaded" ] && pass "$(echo "$loaded" | grep -ic "^$prefix_c/.*\.dll$") DLLs loaded from the package, the others from Windows"

# The copy: the command line's declaration of MessageBoxA, from the same file.
if [ -n "$linux_cli" ]; then
  "$linux_cli" --db "$work/data.db.packaged" declare function MessageBoxA >"$work/MessageBoxA.expected" 2>&1
  if cmp -s <(tr -d '\r' <"$work/portable.clipboard") <(tr -d '\r' <"$work/MessageBoxA.expected"); then
    pass "F8 put the declaration of MessageBoxA on the clipboard"
  else
    fail "the clipboard holds other than the declaration of MessageBoxA:"
    diff <(tr -d '\r' <"$work/portable.clipboard") <(tr -d '\r' <"$work/MessageBoxA.expected") | head -n 20
  fi
else
  grep -q MessageBoxA "$work/portable.clipboard" && pass "F8 put MessageBoxA on the clipboard" ||
    fail "no MessageBoxA on the clipboard"
fi

# Config.ini beside the program, nothing else anywhere.
snapshot "$WINEPREFIX" >"$work/portable-after.txt"
snapshot "$HOME" >"$work/home-after.txt"
written=$(changes "$work/portable-before.txt" "$work/portable-after.txt")
relative_folder=${folder#"$WINEPREFIX"/}
[ -f "$folder/Config.ini" ] && pass "Config.ini written beside the program" || fail "no Config.ini beside the program"
others=$(echo "$written" | grep -v -x -F "$relative_folder/Config.ini" | grep -v '^$')
[ -z "$others" ] || fail "written besides Config.ini: $(echo $others)"
cmp -s "$work/home-before.txt" "$work/home-after.txt" || fail "the home folder changed: $(changes "$work/home-before.txt" "$work/home-after.txt")"
[ -z "$others" ] && pass "nothing else written in the prefix or the home folder"

# The command line, in the package folder.
snapshot "$WINEPREFIX" >"$work/cli-before.txt"
(cd "$folder" && "$wine" declarium-cli.exe stats >"$work/stats.windows" 2>&1)
cat "$work/stats.windows"
if [ -n "$linux_cli" ]; then
  "$linux_cli" --db "$work/data.db.packaged" stats >"$work/stats.linux" 2>&1
  cmp -s "$work/stats.windows" "$work/stats.linux" && pass "declarium-cli.exe stats prints the counts of data.db" ||
    fail "declarium-cli.exe stats differs from the Linux one: $(diff "$work/stats.windows" "$work/stats.linux" | head -n 8)"
fi
(cd "$folder" && "$wine" declarium-cli.exe --version >"$work/version.windows" 2>&1)
[ "$(tr -d '\r' <"$work/version.windows")" = "declarium-cli $version" ] &&
  pass "declarium-cli.exe --version: $version" || fail "declarium-cli.exe --version: $(cat "$work/version.windows")"
for exe in declarium.exe declarium-cli.exe; do
  # Read whole before grep looks (a grep -q ending early would fail the pipe).
  x86_64-w64-mingw32-windres -i "$folder/$exe" -O rc >"$work/$exe.rc" 2>/dev/null
  grep -q "VALUE \"ProductVersion\", \"$version\"" "$work/$exe.rc" &&
    pass "$exe's version resource: $version" || fail "$exe has no version resource of $version"
done
snapshot "$WINEPREFIX" >"$work/cli-after.txt"
cmp -s "$work/cli-before.txt" "$work/cli-after.txt" || fail "declarium-cli.exe wrote $(changes "$work/cli-before.txt" "$work/cli-after.txt")"

if [ -n "${DECLARIUM_PACKAGE_PICTURES:-}" ]; then
  pictures=$DECLARIUM_PACKAGE_PICTURES
  mkdir -p "$pictures"
  cp "$work/portable.png" "$pictures/windows-package.png"
  # 144 DPI: Wine's LogPixels, read by each program as it starts.
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  run_program "$folder" "$folder_windows\\declarium.exe" "$work/dpi144"
  cp "$work/dpi144.png" "$pictures/windows-144dpi.png"
  (cd "$folder" && env DECLARIUM_SCREENSHOT="$(windows_path "$pictures/windows-144dpi-settings.png")" \
    DECLARIUM_SCREENSHOT_COMMAND=10040 timeout 120 "$wine" declarium.exe >/dev/null 2>&1)
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
fi
end_prefix

echo "== The installer: $(basename "$setup")"
fresh_prefix installer
user=$(ls "$WINEPREFIX/drive_c/users" | grep -v -x Public | head -n 1)
install_windows='C:\users\'$user'\AppData\Local\Programs\Declarium'
install=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Declarium
start_menu=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
registry_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Declarium'
has_entry() { grep -q 'Uninstall.exe.* /S' <<<"$("$wine" reg query "$registry_key" /v QuietUninstallString 2>/dev/null)"; }
# Waits up to a minute for a condition (a command); false when it did not come.
wait_for() {
  local deadline=$(($(date +%s) + 60))
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
# The installer runs to its end before Wine returns.
run_setup() { "$wine" "$setup" /S; }
# The uninstaller goes on from a copy of itself in the temporary folder: it
# has ended when the install folder is gone (untouched install), or when
# Uninstall.exe and the entry are (a folder with the user's files).
uninstalled() { [ ! -e "$install/Uninstall.exe" ] && ! has_entry; }
folder_gone() { [ ! -e "$install" ]; }
run_uninstall() { "$wine" "$install_windows\\Uninstall.exe" /S; wait_for "$1"; }

run_setup
held=$(cd "$install" 2>/dev/null && find . -type f -printf '%P\n' | LC_ALL=C sort)
wanted=$(printf '%s\n' $expected_files Uninstall.exe | LC_ALL=C sort)
[ "$held" = "$wanted" ] && pass "setup.exe /S installed the package's files and Uninstall.exe into $install_windows" ||
  fail "installed files differ: $(diff <(echo "$wanted") <(echo "$held") | grep '^[<>]' | head -n 10 | tr '\n' ' ')"
[ -f "$start_menu/Declarium.lnk" ] && pass "Start-menu shortcut" || fail "no Start-menu shortcut"
[ -f "$HOME/Declarium.lnk" ] && pass "desktop shortcut" || fail "no desktop shortcut"
has_entry && pass "uninstall entry in HKCU" || fail "no uninstall entry in HKCU"
workdir=$(python3 "$here/shortcut-folder.py" "$start_menu/Declarium.lnk" 2>&1)
[ "$workdir" = "$install_windows" ] && pass "the shortcut's working folder is the install folder" ||
  fail "the shortcut's working folder is '$workdir', not $install_windows"

run_uninstall folder_gone
if [ ! -e "$install" ] && [ ! -e "$start_menu/Declarium.lnk" ] && [ ! -e "$HOME/Declarium.lnk" ] && ! has_entry; then
  pass "uninstall /S of an untouched install removed the folder, the shortcuts and the entry"
else
  fail "uninstall /S left: $(ls -A "$install" 2>/dev/null | tr '\n' ' ') $(ls "$start_menu" "$HOME" 2>/dev/null | grep -i declarium)"
fi

# Again, used this time: started from its shortcut, the catalogue changed.
run_setup
# Wine's start does not wait for a program started through a shortcut: the
# program has ended once it wrote Config.ini and its process is gone.
(cd "$work" && env WINEDEBUG=-all DECLARIUM_SCREENSHOT="$(windows_path "$work/installed.png")" \
  DECLARIUM_SCREENSHOT_SELECT=MessageBoxA DECLARIUM_SCREENSHOT_COMMAND=10006 \
  "$wine" start "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Declarium.lnk" \
  >"$work/installed.out" 2>&1)
program_running() { pgrep -f 'Programs.Declarium.declarium\.exe' >/dev/null; }
wait_for test -f "$install/Config.ini" && pass "started from the shortcut, the program wrote Config.ini in the install folder" ||
  fail "no Config.ini in the install folder after a start from the shortcut"
wait_for eval '! program_running' || fail "the program started from the shortcut did not end"
"$wine" "$work/clipboard-text.exe" >"$work/installed.clipboard" 2>/dev/null
grep -q MessageBoxA "$work/installed.clipboard" && pass "and copied MessageBoxA from the install folder's data.db" ||
  fail "the program started from the shortcut copied no MessageBoxA (was data.db opened?)"
printf '.版本 2\r\n\r\n.DLL命令 测试命令, 整数型, "kernel32.dll", "GetTickCount", 公开, 测试\r\n' >"$install/测试.e"
(cd "$install" && "$wine" declarium-cli.exe import --from e 测试.e >"$work/import.out" 2>&1) || fail "import: $(cat "$work/import.out")"
rm -f "$install/测试.e"
cp "$install/data.db" "$work/data.db.changed"
run_setup
cmp -s "$install/data.db" "$work/data.db.changed" && pass "installing again kept the changed data.db" ||
  fail "installing again replaced the changed data.db"
run_uninstall uninstalled
left=$(cd "$install" 2>/dev/null && find . -type f -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
[ "$left" = "Config.ini data.db " ] && cmp -s "$install/data.db" "$work/data.db.changed" &&
  pass "uninstall /S removed the program files and kept the changed data.db and Config.ini" ||
  fail "after uninstall /S the install folder holds: ${left:-nothing}"

if [ -n "${DECLARIUM_PACKAGE_PICTURES:-}" ]; then
  # The installer's pages are set in 宋体, as on a Chinese Windows; Wine has no
  # such font and draws boxes, so the picture uses a Chinese font of this machine.
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 宋体 /t REG_SZ /d 'AR PL UMing CN' /f >/dev/null 2>&1
  "$wine" "$setup" &
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name 'Declarium' 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.2
  done
  # The page is drawn after its window is shown: taken once two pictures in a row agree.
  picture=$DECLARIUM_PACKAGE_PICTURES/windows-installer.png
  for _ in $(seq 1 40); do
    [ -n "$id" ] && import -window "$id" "$work/page.png" 2>/dev/null || break
    cmp -s "$work/page.png" "$picture" && break
    cp "$work/page.png" "$picture"
    sleep 0.5
  done
  "$wineserver" -k
fi
end_prefix

[ $failed -eq 0 ] || exit 1
echo "The packages of Declarium $version passed under Wine"

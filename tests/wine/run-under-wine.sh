#!/usr/bin/env bash
# The Windows build (preset windows-cross) under Wine, run from the native build's
# CTest. Modes:
#   setup CROSS_DIR STATE_DIR          bring the cross build up to date, make the Wine prefix
#   core  CROSS_DIR STATE_DIR          the cross-built core and desktop-model tests
#   cli-tests CROSS_DIR STATE_DIR      the cross-built command-line tests, on declarium-cli.exe
#   cli   CROSS_DIR STATE_DIR LINUX_CLI SOURCE_DIR
#                                      declarium-cli.exe against the Linux declarium-cli on the
#                                      same inputs; every output must be the same, byte for byte
#   gui   CROSS_DIR STATE_DIR          the cross-built GUI suites (offscreen), and RegisterHotKey
#                                      with the windows platform plugin under Xvfb
#   screenshot CROSS_DIR STATE_DIR CATALOGUE PNG
#                                      declarium.exe on the catalogue with the windows plugin under
#                                      Xvfb, the screen saved as PNG (by hand, not a test)
# Exit code 77 (skipped) when wine64 or the cross build is missing, and for gui
# when the cross build has no desktop program (no Qt for Windows: scripts/build-windows-qt).
set -uo pipefail

mode=$1
cross=$2
state=$3
skip=77

# wine, wineserver, windows_path
source "$(dirname "$0")/wine-common.sh"
if [ ! -f "$cross/CMakeCache.txt" ]; then
  echo "SKIPPED: no Windows cross build in $cross (scripts/build-windows-cross makes it)"
  exit $skip
fi

export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
# No desktop integration, no Mono or Gecko installers on the first start.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"

# Real declaration files: DECLARIUM_CORPUS_DIR when given, else the shared folder
# beside the source.
corpus=${DECLARIUM_CORPUS_DIR:-${DECLARIUM_CORPUS_FALLBACK:-}}

# Runs a Windows program; Wine's own messages go to the log, not the output.
run_wine() {
  "$wine" "$@"
}

# The DLLs the desktop program needs besides Windows': Qt's, and the MinGW
# runtime Qt was built with. Sets WINEPATH; false without the desktop program.
gui_environment() {
  [ -f "$cross/declarium.exe" ] || return 1
  local qt=${DECLARIUM_WINDOWS_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/declarium/windows-deps}/qt
  local gcc
  gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
  export WINEPATH="$(windows_path "$qt/bin");$(windows_path "$gcc");$(windows_path /usr/x86_64-w64-mingw32/lib)"
  export QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
  return 0
}

case "$mode" in
setup)
  if ! cmake --build "$cross" --target windows_programs >"$state.build.log" 2>&1; then
    cat "$state.build.log"
    echo "FAILED: the Windows cross build does not build"
    exit 1
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$state"
    echo "Creating the Wine prefix $WINEPREFIX (once per build folder)"
    "$wine" wineboot --init >"$state/wineboot.log" 2>&1
    "$(dirname "$wine")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
  fi
  [ -f "$WINEPREFIX/system.reg" ] || { cat "$state/wineboot.log"; echo "FAILED: no Wine prefix"; exit 1; }
  echo "Windows build up to date; Wine prefix ready"
  ;;

core)
  tests_exe=$cross/tests/core/core_tests.exe
  work=$state/core
  rm -rf "$work"
  mkdir -p "$work"
  if [ -n "$corpus" ] && [ -d "$corpus" ]; then export DECLARIUM_CORPUS_DIR=$(windows_path "$corpus"); fi
  cd "$work" || exit 1
  for exe in "$tests_exe" "$cross/tests/desktop/model/model_tests.exe"; do
    run_wine "$exe" >"$work/all.txt" 2>&1
    rc=$?
    cat "$work/all.txt"
    [ $rc -eq 0 ] || { echo "FAILED: $(basename "$exe") exited with $rc"; exit 1; }
  done

  # Once more from a folder with Chinese characters in its name, for the
  # program's own directory and the wide-character file names.
  chinese="$work/程序 目录"
  mkdir -p "$chinese"
  cp "$tests_exe" "$chinese/"
  run_wine "$chinese/core_tests.exe" --gtest_filter='ProgramDirectory.*:ChinesePaths.*' >"$work/chinese.txt" 2>&1
  rc=$?
  cat "$work/chinese.txt"
  [ $rc -eq 0 ] || { echo "FAILED: core_tests.exe in '$chinese' exited with $rc"; exit 1; }
  ;;

cli-tests)
  work=$state/cli-tests
  rm -rf "$work"
  mkdir -p "$work"
  if [ -n "$corpus" ] && [ -d "$corpus" ]; then export DECLARIUM_CORPUS_DIR=$(windows_path "$corpus"); fi
  export DECLARIUM_CLI_PATH=$(windows_path "$cross/src/cli/declarium-cli.exe")
  cd "$work" || exit 1
  run_wine "$cross/tests/cli/cli_tests.exe" >"$work/all.txt" 2>&1
  rc=$?
  cat "$work/all.txt"
  [ $rc -eq 0 ] || { echo "FAILED: cli_tests.exe exited with $rc"; exit 1; }
  ;;

gui)
  if ! gui_environment; then
    echo "SKIPPED: the Windows cross build has no declarium.exe (no Qt for Windows: scripts/build-windows-qt builds it)"
    exit $skip
  fi
  if ! command -v xvfb-run >/dev/null; then
    echo "SKIPPED: no xvfb-run (Wine makes even Qt's offscreen windows through its X11 driver)"
    exit $skip
  fi
  work=$state/gui
  rm -rf "$work"
  mkdir -p "$work"
  # Wine creates every window, offscreen ones too, through its X11 driver: the
  # suites run on one virtual display. Qt Test's report goes to a file (-o):
  # under Wine its standard output stays empty.
  cat >"$work/suites.sh" <<EOF
#!/bin/sh
cd "$work"
for exe in "$cross"/tests/desktop/toolkit/*.exe "$cross"/tests/desktop/windows/*.exe; do
  name=\$(basename "\$exe" .exe)
  QT_QPA_PLATFORM=offscreen "$wine" "\$exe" -o "Z:$work/\$name.txt,txt" >"$work/\$name.log" 2>&1
  echo \$? >"$work/\$name.rc"
done
# RegisterHotKey needs real window handles: the windows platform plugin.
QT_QPA_PLATFORM=windows "$wine" "$cross/tests/desktop/windows/windows_tst_GlobalHotkey.exe" registerHotKeyOnWindows \
  -o "Z:$work/hotkey.txt,txt" >"$work/hotkey.log" 2>&1
echo \$? >"$work/hotkey.rc"
"$(dirname "$wine")/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null
EOF
  xvfb-run -a -s "-screen 0 1280x1024x24" sh "$work/suites.sh"
  failed=0
  count=0
  for rc in "$work"/*.rc; do
    name=$(basename "$rc" .rc)
    count=$((count + 1))
    grep -E "^(Totals|FAIL!|SKIP)" "$work/$name.txt" 2>/dev/null | sed "s/^/$name: /"
    if [ "$(cat "$rc")" != 0 ] || ! grep -q "^Totals" "$work/$name.txt" 2>/dev/null; then
      cat "$work/$name.txt" "$work/$name.log" 2>/dev/null | tail -n 40
      echo "FAILED: $name exited with $(cat "$rc")"
      failed=1
    fi
  done
  grep -q "^PASS   : GlobalHotkeyTest::registerHotKeyOnWindows" "$work/hotkey.txt" ||
    { echo "FAILED: RegisterHotKey under Wine did not pass"; failed=1; }
  [ $failed -eq 0 ] || exit 1
  echo "$((count - 1)) GUI suites of the Windows build and RegisterHotKey passed under Wine"
  ;;

screenshot)
  catalogue=$4
  png=$5
  gui_environment || { echo "no declarium.exe in $cross"; exit $skip; }
  work=$state/screenshot
  rm -rf "$work"
  mkdir -p "$work"
  cp "$cross/declarium.exe" "$work/"
  cp "$catalogue" "$work/data.db"
  cat >"$work/shot.sh" <<EOF
#!/bin/sh
cd "$work"
QT_QPA_PLATFORM=windows "$wine" declarium.exe >"$work/run.log" 2>&1 &
for i in \$(seq 1 60); do
  xdotool search --onlyvisible --name '^Declarium' >/dev/null 2>&1 && break
  sleep 1
done
sleep 5
import -window root "$png"
"$(dirname "$wine")/wineserver" -k 2>/dev/null || wineserver -k
EOF
  xvfb-run -a -s "-screen 0 1280x1024x24" sh "$work/shot.sh"
  [ -s "$png" ] || { cat "$work/run.log"; echo "FAILED: no screenshot"; exit 1; }
  echo "screenshot: $png"
  ;;

cli)
  linux_cli=$4
  source=$5
  windows_cli=$cross/src/cli/declarium-cli.exe
  work=$state/cli
  rm -rf "$work"
  mkdir -p "$work/linux" "$work/windows" "$work/input"

  # Inputs: the sample in the E syntax under a Chinese file name (UTF-8, CR LF),
  # a C# text in GBK with LF line ends, and the real VB file when there is one.
  cp "$source/sample/winapi_sample.e" "$work/input/样例 声明.e"
  printf '%s\n' \
    '[DllImport("user32.dll", CharSet = CharSet.Auto)]' \
    'public static extern int ShowWindow(IntPtr hWnd, int nCmdShow);' \
    '[StructLayout(LayoutKind.Sequential)]' \
    'public struct SIZE' '{' '    public int cx; // 宽度' '    public int cy;' '}' \
    'public const int SW_SHOW = 5; // 显示' | iconv -f UTF-8 -t GBK >"$work/input/csharp-gbk.cs"
  vb=""
  if [ -n "$corpus" ] && [ -f "$corpus/WIN32API.TXT" ]; then vb=$corpus/WIN32API.TXT; fi

  steps=()
  # step NAME STDIN ARGS...: runs both programs in their folders.
  step() {
    local name=$1 input=$2
    shift 2
    steps+=("$name")
    (cd "$work/linux" && "$linux_cli" "$@" <"$input" >"$name.out" 2>"$name.err"; echo $? >"$name.rc")
    (cd "$work/windows" && run_wine "$windows_cli" "$@" <"$input" >"$name.out" 2>"$name.err"; echo $? >"$name.rc")
  }
  for side in linux windows; do cp "$work/input/"* "$work/$side/"; mkdir -p "$work/$side/导出"; done

  step init /dev/null init
  step init-again /dev/null init
  step import-e /dev/null import --from e "样例 声明.e"
  step import-csharp-stdin "$work/input/csharp-gbk.cs" import --from csharp
  if [ -n "$vb" ]; then
    cp "$vb" "$work/linux/WIN32API.TXT"
    cp "$vb" "$work/windows/WIN32API.TXT"
    step import-vb /dev/null import --from vb WIN32API.TXT
  fi
  step stats /dev/null stats
  step list-functions /dev/null list functions
  step list-constants /dev/null list constants
  step declare-e /dev/null --chinese-names --remarks declare function GetTickCount
  step declare-csharp /dev/null --syntax csharp --public --prefix 前 declare type SIZE
  step page /dev/null --syntax vb page function Sleep
  step convert-e-vb /dev/null convert --from e --to vb "样例 声明.e"
  step convert-e-csharp-gbk /dev/null --output-encoding gbk convert --from e --to csharp "样例 声明.e"
  step convert-csharp-e "$work/input/csharp-gbk.cs" convert --from csharp --to e
  step export-vb /dev/null --syntax vb export --output 导出/kernel32.txt --functions --where-function 库名 = kernel32.dll
  step export-e /dev/null export --output "导出/全部 声明.txt" --functions --types --constants
  step export-csharp-like /dev/null --syntax csharp export --output 导出/c.txt --constants --where-constant 名称 like 'SW%'
  step db-chinese /dev/null --db "导出/数据 库.db" init
  step db-chinese-import "$work/input/csharp-gbk.cs" --db "导出/数据 库.db" import --from csharp
  step missing-file /dev/null convert --from e --to vb "没有 这个.e"
  step bad-usage /dev/null convert --from e

  failed=0
  for name in "${steps[@]}"; do
    for part in rc out err; do
      if ! cmp -s "$work/linux/$name.$part" "$work/windows/$name.$part"; then
        echo "DIFFERENT: $name ($part)"
        diff <(od -c "$work/linux/$name.$part") <(od -c "$work/windows/$name.$part") | head -n 20
        failed=1
      fi
    done
    echo "$name: exit $(cat "$work/linux/$name.rc")"
  done
  # The files the commands wrote.
  for f in "$work/linux/导出/"*; do
    base=$(basename "$f")
    case "$base" in *.db) continue ;; esac
    if ! cmp -s "$f" "$work/windows/导出/$base"; then
      echo "DIFFERENT: file 导出/$base"
      diff <(od -c "$f") <(od -c "$work/windows/导出/$base") | head -n 20
      failed=1
    fi
  done
  # Equal is not enough: the commands must have done their work.
  for f in kernel32.txt "全部 声明.txt" c.txt "数据 库.db"; do
    [ -s "$work/linux/导出/$f" ] && [ -s "$work/windows/导出/$f" ] || { echo "MISSING: 导出/$f"; failed=1; }
  done
  [ $failed -eq 0 ] || { echo "FAILED: the Windows declarium-cli differs from the Linux one"; exit 1; }
  echo "declarium-cli.exe under Wine: ${#steps[@]} commands, the same output as on Linux"
  ;;
esac

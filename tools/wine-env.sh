# Sourced by the Wine tests: one fresh base prefix per run, a copy of it per test, programs run
# under Xvfb. Only 64-bit Windows programs run here (the kernel cannot execute 32-bit ones).
# shellcheck shell=bash

tovak_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# A run that must not disturb the tests' prefixes (the run command) names a folder of its own.
wine_dir=${TOVAK_WINE_DIR:-$tovak_root/build/wine}
wine_base=$wine_dir/base
wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver

# Wine takes the ANSI code page from the locale: zh_CN.UTF-8 gives 936. LC_ALL would override it.
export LANG=zh_CN.UTF-8
unset LC_ALL
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko install prompts

# A new base prefix for this run: Chinese locale, a virtual desktop (title bars without a window
# manager), the Marlett font (title-bar buttons drawn as symbols, not letters) and SimSun, as a
# Windows with East Asian support has it: on an English system the dialog font links to it for
# the Chinese glyphs it lacks. WenQuanYi stands in for it.
wine_make_base() {
  local prefix
  for prefix in "$wine_dir"/*/; do  # servers left by an interrupted run would write into the new tree
    WINEPREFIX=${prefix%/} "$wine_server" -k 2>/dev/null || true
  done
  rm -rf "$wine_dir"
  mkdir -p "$wine_dir"
  local log=$wine_dir/base.log  # mostly noise, such as a harmless "failed to open ...rundll32.exe"
  if ! { WINEPREFIX=$wine_base "$wine_loader" wineboot --init &&
         WINEPREFIX=$wine_base "$wine_loader" reg add 'HKCU\Software\Wine\Explorer' \
           /v Desktop /d Default /f &&
         WINEPREFIX=$wine_base "$wine_loader" reg add 'HKCU\Software\Wine\Explorer\Desktops' \
           /v Default /d 1024x768 /f &&
         WINEPREFIX=$wine_base "$wine_loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
           /v SimSun /d 'WenQuanYi Micro Hei' /f &&
         cp /usr/share/wine/fonts/marlett.ttf "$wine_base/drive_c/windows/Fonts/" &&
         # The registry reaches its files only when the server ends; the copies must see it.
         WINEPREFIX=$wine_base "$wine_server" -w
       } >"$log" 2>&1; then
    cat "$log" >&2
    echo "wine-env: making the base prefix failed" >&2
    return 1
  fi
}

# Prints the path of a fresh copy of the base prefix (or of another prefix) for one test.
wine_new_prefix() {  # name [, prefix to copy]
  local prefix=$wine_dir/$1
  rm -rf "$prefix"
  cp -a "${2:-$wine_base}" "$prefix"
  echo "$prefix"
}

# Runs a Windows program in a prefix under its own X server; returns the program's status.
# Every process of the prefix is ended before and, inside the X session, after it.
wine_run() {  # prefix, program, arguments...
  local prefix=$1
  shift
  WINEPREFIX=$prefix "$wine_server" -k 2>/dev/null || true
  WINEPREFIX=$prefix xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c 'status=0; "$@" || status=$?; "$0" -k 2>/dev/null || true; exit "$status"' \
    "$wine_server" "$wine_loader" "$@"
}

# Fails loudly unless programs see the code page 936 that the Chinese texts assume.
wine_check_acp() {  # prefix
  local acp
  acp=$(wine_run "$1" "$tovak_root/build/win64/acp_check.exe" | tr -d '\r')
  if [[ $acp != 936 ]]; then
    echo "wine-env: Wine's ANSI code page is '${acp}', not 936. Generate the zh_CN.UTF-8 locale" \
         "(tools/install-deps) and do not set LC_ALL." >&2
    return 1
  fi
}

# Maps a drive letter of the prefix to a host folder; Wine sees it at the next start.
wine_map_drive() {  # prefix, letter, folder
  ln -sfn "$(cd "$3" && pwd)" "$1/dosdevices/${2,,}:"
}

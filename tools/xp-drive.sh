# Sourced after tools/wine-env.sh: makes the C: of a prefix the system drive of an XP machine as
# far as Tovak's job sees it (boot.ini, the NT loader and its font, each read-only, hidden and
# system). Used by the run command, the end-to-end tests and the bench.
# shellcheck shell=bash

xp_system_drive() {  # prefix
  local drive=$1/drive_c file bit attributes=()
  local xp='multi(0)disk(0)rdisk(0)partition(1)\WINDOWS'
  printf '%s\r\n' '[boot loader]' 'timeout=30' "default=$xp" '[operating systems]' \
    "$xp=\"Microsoft Windows XP Professional\" /noexecute=optin /fastdetect" >"$drive/boot.ini"
  printf 'Sandbox stand-in for the NT loader\r\n' >"$drive/ntldr"
  printf 'Sandbox stand-in for the boot font\r\n' >"$drive/bootfont.bin"
  for file in boot.ini ntldr bootfont.bin; do
    # Wine's attrib takes one attribute a call.
    for bit in +s +h +r; do attributes+=("attrib $bit C:\\$file &"); done
  done
  wine_run "$1" cmd /c "${attributes[*]} rem" >/dev/null 2>&1
}

# The pre-boot menu and the DOS start-up files, as the floppy image holds them.

crlf() { printf '%s\r\n' "$@"; }

test_menu() {  # payload folder
  expect_eq "menu.lst bytes" "$(od -An -v -tx1 "$1/menu.lst" | tr -d ' \n')" "$(crlf 'timeout 0' \
    'default 0' '' 'title Tovak GHOST' 'kernel (hd0,0)/boot/qelv/memdisk.gz' \
    'initrd (hd0,0)/boot/qelv/qelv.img' | od -An -v -tx1 | tr -d ' \n')"
  expect_eq "menu.lst size" "$(stat -c %s "$1/menu.lst")" 115
}

image_file() {  # image, name, destination
  rm -f "$3"
  mcopy -n -i "$1" "::/$2" "$3"
}

test_config_files() {  # payload folder, work folder
  image_file "$1/qelv.img" CONFIG.SYS "$2/config"
  image_file "$1/qelv.img" MSDOS.SYS "$2/msdos"
  expect "CONFIG.SYS text" cmp -s "$2/config" <(crlf 'device=himem.sys /testmem:off' '' '[COMMON]' \
    'SWITCHES=/N /F' 'files=10' 'buffers=10' 'dos=high,umb' 'stacks=9,256' 'lastdrive=z')
  expect "MSDOS.SYS text" cmp -s "$2/msdos" <(crlf '[options]' 'BootGUI=0' 'DisableLog=1' 'Logo=0' \
    'BootWarn=0' 'BootMenu=0' 'BootMenuDefault=1' 'BootMenuDelay=0' 'DoubleBuffer=0' 'Drvspace=0' \
    'Dblspace=0' 'SystemReg=0')
}

# Commands of the runner's steps that must appear in this order, each on a line of its own or
# as part of one (step number first).
runner_order=(
  '1|set DIRCMD=/O:N' '1|cls'
  '2|set drv=c d e f g h i j k l m n o p q r s t u v' '2|set w=123' '2|set s=234' '2|set ramdrive='
  '2|set tok=TOKEN000'
  '3|xmsdsk 10000 z: /y' '3|set ramdrive=z:'
  '4|command.com z:\' '4|path a:\;z:\' '4|md tmp' '4|md temp' '4|a:' '4|set comspec=z:\command.com'
  '4|set tmp=z:\tmp' '4|set temp=z:\temp'
  '5|tw.exe z:\' '5|tw /n3 /np'
  '6|ntfs.dat z:\ntfs.exe' '6|z:' '6|ntfs.exe -y' '6|NTFSPRO.EXE' '6|del ntfs.exe'
  '7|ctmouse.exe z:\' '7|ctmouse' '7|attrib.com z:\' '7|deltree.com z:\' '7|strings.com z:\'
  '7|firstln.com z:\' '7|renover.com z:\' '7|off.com z:\' '7|restart.com z:\'
  '8|for %%b in (%drv%) do call a:\jobdrive.bat %%b'
  '9|strings w=read %s%:\boot\qelv\state.txt,1' '9|strings r=read %s%:\boot\qelv\job.txt,6'
  '9|strings m=read %s%:\boot\qelv\job.txt,8' '9|for %%b in (%drv%) do call a:\imgdrive.bat %%b'
  '10|if exist %s%:\boot\qelv\%w% copy %s%:\boot\qelv\%w% z:\' '10|copy %s%:\boot\qelv\ghost.exe z:\'
  '11|if "%s%"=="234" goto '
  '11|if exist %s%:\boot\boot.bak copy %s%:\boot\boot.bak %s%:\bootini.tvk'
  '11|if exist %s%:\boot\bootfont.bak copy %s%:\boot\bootfont.bak %s%:\bootfont.tvk'
  '11|if exist %s%:\boot\g1ldr.bak copy %s%:\boot\g1ldr.bak %s%:\g1ldr.tvk'
  '12|if exist %s%:\boot\bootfont.bak renover %s%:\bootfont.tvk %s%:\bootfont.bin'
  '13|if exist %s%:\boot\boot.bak renover %s%:\bootini.tvk %s%:\boot.ini'
  '15|if exist %s%:\boot\g1ldr.bak renover %s%:\g1ldr.tvk %s%:\g1ldr'
  '16|echo y | del %s%:\boot\*.*' '16|echo y | del %s%:\boot\qelv\*.*'
  '16|rd %s%:\boot\qelv' '16|rd %s%:\boot'
  '17|ren %s%:\msboot boot' '17|attrib +s +h +r %s%:\boot'
  '18|if not "%s%"=="234" attrib +s +h +r %s%:\*.*'
  '19|if "%w%"=="msback.bat" goto Back' '19|if "%w%"=="huifu.bat" goto Restore'
  '20|:Back' '20|call MsBack.bat'
  '21|:Restore' '21|call huifu.bat'
  '22|z:\restart.com'
)

check_runner_order() {  # AUTOEXEC.BAT as UTF-8 with LF
  local -a lines
  mapfile -t lines < "$1"
  local i=0 entry step text
  for entry in "${runner_order[@]}"; do
    step=${entry%%|*} text=${entry#*|}
    while ((i < ${#lines[@]})) && [[ ${lines[i]} != *"$text"* ]]; do i=$((i + 1)); done
    if ((i == ${#lines[@]})); then
      fail "AUTOEXEC.BAT: step $step \"$text\" missing or out of order"
      return
    fi
    i=$((i + 1))
  done
  passed=$((passed + 1))
}

# What the runner shows: its echo lines. DOS prints what follows "echo " or "echo.".
runner_screen() {  # AUTOEXEC.BAT as UTF-8 with LF
  sed -n '/^echo y |/d; />>/d; s/^echo[. ]//p' "$1"
}

test_runner() {  # payload folder, work folder, source of AUTOEXEC.BAT
  local bat=$2/autoexec utf8=$2/autoexec.utf8
  image_file "$1/qelv.img" AUTOEXEC.BAT "$bat"
  expect "AUTOEXEC.BAT has CR LF line ends" cmp -s "$bat" <(sed 's/\r$//; s/$/\r/' "$bat")
  iconv -f CP936 -t UTF-8 "$bat" | tr -d '\r' > "$utf8"
  expect "AUTOEXEC.BAT is its source in code page 936" cmp -s "$utf8" "$3"
  check_runner_order "$utf8"
  local name
  for name in JOBDRIVE.BAT IMGDRIVE.BAT; do
    image_file "$1/qelv.img" "$name" "$2/$name"
    expect "$name is its source with CR LF" cmp -s "$2/$name" <(sed 's/$/\r/' "${3%/*}/$name")
  done

  local eq25 eq40 in23 in16
  eq25=$(printf '=%.0s' {1..25}) eq40=$(printf '=%.0s' {1..40})
  in23=$(printf '%23s' '') in16=$(printf '%16s' '')
  mapfile -t screen < <(runner_screen "$utf8")
  expect_eq "AUTOEXEC.BAT screen" "$(printf '[%s]' "${screen[@]:0:7}" "${screen[@]:8}")" \
    "$(printf '[%s]' '' '' "$in23$eq25" "$in23请稍等，程序正在处理中..." "$in23$eq25" '' \
      "$in16$eq40" "$in16工具。程序正在释放和配置 NTFS支持文件..." "$in16$eq40" '' '' '' '')"
  # The same address as the window's link.
  local address
  address=$(sed -n 's/^#define TOVAK_MAKER_ADDRESS "\(.*\)"$/\1/p' "$root/ui/maker_address.h")
  expect "AUTOEXEC.BAT welcome line names the web address \"$address\"" \
    grep -qxF "${in16}欢迎使用${address}特别版Tovak备份还原" <<<"${screen[7]:-}"

  expect_eq "AUTOEXEC.BAT imaging commands of its own" "$(grep -i -e 'ghost\.exe *-' -e '-clone' "$utf8")" ""
  expect_eq "AUTOEXEC.BAT pipes other than \"echo y\" into del" \
    "$(grep -F '|' "$utf8" | grep -v '^echo y | del ')" ""
  local label missing=
  for label in $(sed -n 's/.*goto \([A-Za-z]*\)$/\1/p' "$utf8"); do
    grep -qx ":$label" "$utf8" || missing+=" $label"
  done
  expect_eq "AUTOEXEC.BAT labels that a goto names but the file lacks" "$missing" ""
  # The deletions of the boot folders may run only when the job drive was found.
  local skipped
  skipped=$(sed -n '/^if "%s%"=="234" goto /,/^:/p' "$utf8")
  expect_eq "AUTOEXEC.BAT jumps over the deletions without a job drive" \
    "$(grep -c -e '^echo y | del' -e '^rd ' <<<"$skipped") $(head -n 1 <<<"$skipped" | sed 's/.*goto /:/')" \
    "4 $(tail -n 1 <<<"$skipped")"
}

# The DOS that the runner's QEMU cases boot: qelv.img as make-payload makes it from a vendor folder
# that holds a free DOS (the FreeDOS kernel, FreeCOM and boot sector of tests/preboot/freedos, or
# of TOVAK_DOS_DIR) and the test doubles of the vendor programs.

dos_dir=${TOVAK_DOS_DIR:-$here/freedos}

dos_available() { [[ -f $dos_dir/KERNEL.SYS && -f $dos_dir/COMMAND.COM && -f $dos_dir/BOOTSECT.BIN ]]; }

# The doubles under the names the runner starts, the imaging program's as GHOST.EXE (its exit
# status from A:\GHOSTRC), and the probe HERE.COM that the test types at the prompt.
dos_doubles() {  # folder
  local src=$here/doubles out=$1
  asm() { nasm -f bin -i "$src/" -o "$out/$1" "${@:3}" "$src/$2"; }
  asm report.com report.asm &&
    asm HIMEM.SYS himem.asm &&
    asm XMSDSK.EXE xmsdsk.asm &&
    asm NTFS.DAT ntfs.asm -DNTFSPRO="\"$out/report.com\"" &&
    asm HERE.COM here.asm &&
    asm GHOST.EXE ghost.asm || return
  local name
  for name in Tw.exe CTMOUSE.EXE; do cp "$out/report.com" "$out/$name"; done
  rm "$out/report.com"
}

# FreeDOS in place of MS-DOS 7.1: its kernel is the image's IO.SYS, so its boot sector, which
# loads KERNEL.SYS, is given that name.
dos_vendor_folder() {  # folder
  local sector=$1/BOOTSECT.BIN
  cp "$dos_dir/KERNEL.SYS" "$1/IO.SYS"
  cp "$dos_dir/COMMAND.COM" "$1/COMMAND.COM"
  cp "$dos_dir/BOOTSECT.BIN" "$sector"
  chmod u+w "$1"/*
  [[ $(hex_at "$sector" 0x1F1 11) == "$(hex_of 'KERNEL  SYS')" ]] || return
  printf 'IO      SYS' | dd of="$sector" bs=1 seek=$((0x1F1)) conv=notrunc status=none
}

# Prints the path of the test's qelv.img (with HERE.COM added) and leaves the doubles beside it.
dos_floppy() {  # work folder
  local vendor=$1/dos-vendor out=$1/dos-payload
  mkdir -p "$vendor"
  dos_doubles "$vendor" && dos_vendor_folder "$vendor" || return
  TOVAK_VENDOR_DIR=$vendor "$root/payload/make-payload" "$out" > /dev/null || return
  mcopy -i "$out/qelv.img" "$vendor/HERE.COM" ::/ || return
  echo "$out/qelv.img"
}

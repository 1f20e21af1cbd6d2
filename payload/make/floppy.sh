# qelv.img: the 2.88 MB FAT12 floppy that MEMDISK boots, holding DOS and the job runner.

floppy_serial=7A0C2005
floppy_date='2005-08-01 12:00:00'  # every file's date: the image must not depend on the day it was made

# Root-directory order: IO.SYS and MSDOS.SYS first, as DOS boot sectors look for them there.
floppy_files=(IO.SYS MSDOS.SYS COMMAND.COM CONFIG.SYS AUTOEXEC.BAT JOBDRIVE.BAT IMGDRIVE.BAT
  HIMEM.SYS XMSDSK.EXE TW.EXE NTFS.DAT CTMOUSE.EXE ATTRIB.COM STRINGS.COM FIRSTLN.COM RENOVER.COM
  RESTART.COM DELTREE.COM OFF.COM EMM386.EXE FIND.EXE MSCDEX.EXE VIDE-CDD.SYS WBOOT.COM)

# Files of the image that come from the vendor folder, and what their stand-ins stand for.
declare -A floppy_vendor=(
  [IO.SYS]='MS-DOS 7.1 system' [COMMAND.COM]='MS-DOS 7.1 command interpreter'
  [HIMEM.SYS]='extended-memory driver' [XMSDSK.EXE]='RAM-disk driver in extended memory'
  [TW.EXE]='Chinese text display for DOS' [NTFS.DAT]='self-extracting NTFS access tool NTFSPRO'
  [CTMOUSE.EXE]='mouse driver' [DELTREE.COM]='folder tree deletion tool' [OFF.COM]='power-off tool'
  [EMM386.EXE]='expanded-memory manager' [FIND.EXE]='text search tool'
  [MSCDEX.EXE]='CD-ROM extensions' [VIDE-CDD.SYS]='IDE CD-ROM driver' [WBOOT.COM]='DOS tool wboot.com'
)

floppy_stage_files() {  # preboot sources, staging folder
  local src=$1 dir=$2 name
  for name in "${!floppy_vendor[@]}"; do supply "$name" "${floppy_vendor[$name]}" "$dir/$name"; done
  dos_text "$src/CONFIG.SYS" "$dir/CONFIG.SYS"
  dos_text "$src/MSDOS.SYS" "$dir/MSDOS.SYS"
  dos_text "$src/AUTOEXEC.BAT" "$dir/AUTOEXEC.BAT" CP936
  dos_text "$src/JOBDRIVE.BAT" "$dir/JOBDRIVE.BAT"
  dos_text "$src/IMGDRIVE.BAT" "$dir/IMGDRIVE.BAT"
  # Our own tools, from nasm source.
  nasm -f bin -o "$dir/RESTART.COM" "$src/restart.asm"
  nasm -f bin -i "$src/" -o "$dir/ATTRIB.COM" "$src/attrib.asm"
  nasm -f bin -i "$src/" -o "$dir/STRINGS.COM" "$src/strings.asm"
  nasm -f bin -i "$src/" -o "$dir/FIRSTLN.COM" "$src/firstln.asm"
  nasm -f bin -i "$src/" -o "$dir/RENOVER.COM" "$src/renover.asm"
}

# mkfs.fat's own boot code only says that the disk cannot boot: the DOS boot sector comes from the
# vendor, around our BPB (0x0B-0x3D).
floppy_boot_sector() {  # image, staging folder
  local vendor
  vendor=$(vendor_path BOOTSECT.BIN)
  [[ -n $vendor ]] || return 0
  [[ $(stat -c %s "$vendor") == 512 && $(hex_at "$vendor" 510 2) == 55aa ]] \
    || die "$vendor: not a 512-byte boot sector"
  local sector=$2/bootsect.bin
  cp "$vendor" "$sector"
  dd if="$1" of="$sector" bs=1 skip=11 seek=11 count=51 conv=notrunc status=none
  dd if="$sector" of="$1" conv=notrunc status=none
}

floppy_make() {  # image, preboot sources, staging folder
  local img=$1 dir=$3 name log
  floppy_stage_files "$2" "$dir"
  touch -d "$floppy_date" "$dir"/*
  log=$(mkfs.fat --invariant -C -F 12 -n qelv -i "$floppy_serial" -S 512 -s 2 -R 1 -f 2 -r 240 \
    -M 0xF0 -g 2/36 -h 0 -D 0x00 "$img" 2880 2>&1) || die "mkfs.fat failed: $log"
  floppy_boot_sector "$img" "$dir"
  for name in "${floppy_files[@]}"; do mcopy -m -i "$img" "$dir/$name" "::/$name"; done
  mattrib -i "$img" +r +h +s ::/IO.SYS ::/MSDOS.SYS
  fsck.fat -n "$img" > /dev/null || die "fsck.fat finds faults in $img"
}

# The runner's "set tok=" line holds a placeholder that each job overwrites with its token, in the
# copy it deploys; the image must hold it once, whole, at an offset the build records.
floppy_token_placeholder=TOKEN000
floppy_token_offset() {  # image: the offset of the placeholder's first byte
  local hits
  hits=$(grep -obUaF "set tok=$floppy_token_placeholder" "$1" | cut -d : -f 1)
  [[ $(wc -w <<<"$hits") == 1 ]] || die "$1: the token placeholder is not there exactly once"
  echo $((hits + 8))
}

floppy_has_standins() {  # staging folder: true when the image is not the real thing
  local name
  [[ -n $(vendor_path BOOTSECT.BIN) ]] || return 0
  for name in "${!floppy_vendor[@]}"; do is_standin "$1/$name" && return 0; done
  return 1
}

# The boot chain under QEMU: GRUB from the MBR of a disk whose first partition holds boot/qelv reads
# menu.lst, loads memdisk.gz and the floppy image, and MEMDISK boots the floppy. The floppy here is
# a copy of qelv.img whose boot sector is our probe (probe.asm): it reports what it finds.

le() {  # value, byte count: the little-endian bytes
  local i
  for ((i = 0; i < $2; i++)); do printf "\\x$(printf %02x $((($1 >> (8 * i)) & 255)))"; done
}

poke() { dd of="$1" bs=1 seek=$(($2)) conv=notrunc status=none; }  # file, offset; bytes on stdin

part_start=63      # sectors before the partition: MBR, then the stage 1.5
part_sectors=32704

# stage1 in the MBR, pointed at the stage 1.5 in the sectors after it, as GRUB's installer would,
# and one partition from part_start.
write_mbr() {  # stage1, destination, partition type (hex), partition sectors
  local mbr=$2
  cp "$1" "$mbr"
  le 0x2000 2 | poke "$mbr" 0x42   # where stage1 loads the stage 1.5's first sector
  le 1 4 | poke "$mbr" 0x44        # its LBA
  le 0x0200 2 | poke "$mbr" 0x48   # its segment
  printf '\x90\x90' | poke "$mbr" 0x4B  # a hard disk: no check of the boot drive
  head -c $((0x1FE - 0x1B8)) /dev/zero | poke "$mbr" 0x1B8
  { printf "\\x80\\xfe\\xff\\xff\\x$3\\xfe\\xff\\xff"; le $part_start 4; le "$4" 4; } | poke "$mbr" 0x1BE
}

write_stage15() {  # fat_stage1_5, destination
  cp "$1" "$2"
  # The block list of the rest: from LBA 2, whole sectors, to segment 0220h.
  { le 2 4; le $((($(stat -c %s "$1") - 512 + 511) / 512)) 2; le 0x0220 2; } | poke "$2" 0x1F8
  le 0xFF00FFFF 4 | poke "$2" 0x217  # stage 2 on the boot drive's first partition
}

make_test_disk() {  # payload folder, work folder: prints the disk image's path
  local dir=$1 work=$2
  nasm -f bin -o "$work/probe.bin" "$here/probe.asm"
  cp "$dir/qelv.img" "$work/qelv.img"
  dd if="$work/probe.bin" of="$work/qelv.img" bs=1 count=3 conv=notrunc status=none
  dd if="$work/probe.bin" of="$work/qelv.img" bs=1 skip=62 seek=62 count=450 conv=notrunc status=none

  mkfs.fat -C -F 16 -h $part_start -n TOVAKSYS "$work/part.img" $((part_sectors / 2)) > /dev/null
  mmd -i "$work/part.img" ::/boot ::/boot/qelv
  mcopy -i "$work/part.img" "$dir/stage2" "$dir/menu.lst" "$dir/memdisk.gz" "$work/qelv.img" ::/boot/qelv/

  grub_disk "$dir" 06 "$work/part.img" "$work/disk.img"
  echo "$work/disk.img"
}

# GRUB's stage 1 and stage 1.5 from FOLDER in front of a partition image.
grub_disk() {  # folder with stage1 and fat_stage1_5, partition type (hex), partition image, disk
  write_mbr "$1/stage1" "$4.mbr" "$2" $(($(stat -c %s "$3") / 512))
  write_stage15 "$1/fat_stage1_5" "$4.stage15"
  cat "$4.mbr" "$4.stage15" > "$4"
  rm "$4.mbr" "$4.stage15"
  truncate -s $((part_start * 512)) "$4"
  cat "$3" >> "$4"
}

test_boot_chain() {  # payload folder, work folder
  local disk log=$2/debugcon.log status=0
  disk=$(make_test_disk "$1" "$2") || { fail "could not make the test disk"; return; }
  timeout 60 qemu-system-i386 -display none -no-reboot -nic none -boot c \
    -drive "file=$disk,if=ide,format=raw" -debugcon "file:$log" \
    -device isa-debug-exit,iobase=0xf4,iosize=0x04 || status=$?
  expect_eq "QEMU exit status (85: the probe ran to its end)" "$status" 85
  expect_eq "boot drive of the floppy" "$(sed -n 's/^probe: drive //p' "$log")" 0
  expect_eq "floppy geometry the BIOS reports (cylinders heads sectors)" \
    "$(sed -n 's/^probe: geometry //p' "$log")" "80 2 36"
  expect_eq "root directory the BIOS reads" "$(sed -n 's/^probe: file //p' "$log" | tr '\n' ' ')" \
    "$(mdir -a -b -i "$1/qelv.img" ::/ | sed 's|^::/||' | tr '\n' ' ')"
}

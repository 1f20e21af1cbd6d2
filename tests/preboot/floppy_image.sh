# qelv.img: the 2.88 MB FAT12 floppy's boot sector, root directory and files.

# offset|size|value|field
floppy_bpb=(
  '0x0B|2|512|bytes per sector' '0x0D|1|2|sectors per cluster' '0x0E|2|1|reserved sectors'
  '0x10|1|2|FATs' '0x11|2|240|root-directory entries' '0x13|2|5760|sectors'
  '0x15|1|240|media byte F0h' '0x16|2|9|sectors per FAT' '0x18|2|36|sectors per track'
  '0x1A|2|2|heads' '0x1C|4|0|hidden sectors' '0x20|4|0|32-bit sector count'
  '0x24|1|0|drive number' '0x26|1|41|extended boot signature 29h'
)

floppy_names=(IO.SYS MSDOS.SYS COMMAND.COM CONFIG.SYS AUTOEXEC.BAT JOBDRIVE.BAT IMGDRIVE.BAT
  HIMEM.SYS XMSDSK.EXE TW.EXE NTFS.DAT CTMOUSE.EXE ATTRIB.COM STRINGS.COM FIRSTLN.COM RENOVER.COM
  RESTART.COM DELTREE.COM OFF.COM EMM386.EXE FIND.EXE MSCDEX.EXE VIDE-CDD.SYS WBOOT.COM)

# The image's tools made from our own source: name in the image|source in payload/preboot.
our_tools=('RESTART.COM|restart.asm' 'ATTRIB.COM|attrib.asm' 'STRINGS.COM|strings.asm'
  'FIRSTLN.COM|firstln.asm' 'RENOVER.COM|renover.asm')

root_dir_offset=$((0x2600))  # sectors 1 + 2 * 9

test_floppy_image() {  # payload folder, work folder
  local img=$1/qelv.img entry offset size value field
  expect_eq "qelv.img size" "$(stat -c %s "$img")" 2949120
  for entry in "${floppy_bpb[@]}"; do
    IFS='|' read -r offset size value field <<<"$entry"
    expect_eq "qelv.img $field" "$(uint_at "$img" "$offset" "$size")" "$value"
  done
  expect_eq "qelv.img boot-sector label" "$(hex_at "$img" 0x2B 11)" "$(hex_of 'qelv       ')"
  expect_eq "qelv.img file-system type" "$(hex_at "$img" 0x36 8)" "$(hex_of 'FAT12   ')"
  expect_eq "qelv.img boot signature" "$(hex_at "$img" 0x1FE 2)" 55aa
  expect_eq "qelv.img volume label entry" "$(hex_at "$img" $root_dir_offset 12)" "$(hex_of 'qelv       \010')"

  expect_eq "qelv.img root directory" "$(mdir -a -b -i "$img" ::/ | tr '\n' ' ')" \
    "$(printf '::/%s ' "${floppy_names[@]}")"
  # Short names only: DOS does not read long-name entries (attribute 0Fh).
  expect_eq "qelv.img long-name entries" "$(od -An -v -tu1 -w32 -j $root_dir_offset -N $((240 * 32)) "$img" \
    | awk '$1 != 0 && $1 != 229 && $12 == 15' | wc -l)" 0
  local name
  for name in IO.SYS MSDOS.SYS; do
    expect_eq "qelv.img $name attributes" "$(mattrib -i "$img" "::/$name" | awk '{ print $2 }')" SHR
  done
  expect "qelv.img passes fsck.fat -n" quiet fsck.fat -n "$img"
  # Where each job writes its token: the placeholder of the runner's "set tok=" line.
  expect_eq "qelv.img token placeholder at the recorded offset" \
    "$(hex_at "$img" "$(($(cat "$1/token-offset.txt") - 8))" 16)" "$(hex_of 'set tok=TOKEN000')"

  image_file "$img" RESTART.COM "$2/restart.com"
  # mov ax,40h; mov ds,ax; mov word [72h],1234h; jmp FFFF:0000
  expect_eq "RESTART.COM code" "$(hex_at "$2/restart.com" 0 64)" b840008ed8c70672003412ea0000ffff
  local tool
  for tool in "${our_tools[@]}"; do
    image_file "$img" "${tool%%|*}" "$2/tool"
    nasm -f bin -i "$root/payload/preboot/" -o "$2/tool.ours" "$root/payload/preboot/${tool#*|}"
    expect "qelv.img ${tool%%|*} is ours (${tool#*|})" cmp -s "$2/tool" "$2/tool.ours"
  done
}

# The catalogue files beside the floppy: the list of stand-ins, GRUB's patched paths, MEMDISK.

catalogue=(bootfont.bin ntldr e2fs_stage1_5 fastfat.sys fat_stage1_5 ffs_stage1_5 iso9660_stage1_5
  jfs_stage1_5 memdisk.gz menu.lst minix_stage1_5 ntfs_stage1_5 reiserfs_stage1_5 stage1 stage2
  ufs2_stage1_5 vstafs_stage1_5 xfs_stage1_5 qelv.img ghost.exe g1ldr)

is_standin() { [[ $(hex_at "$1" 0 16) == "$(hex_of 'TOVAK STAND-IN: ')" ]]; }

# qelv.img is a stand-in when a file in it is one, or when its boot sector is mkfs.fat's.
floppy_is_standin() {  # image, work folder
  local name
  [[ $(hex_at "$1" 3 8) != "$(hex_of mkfs.fat)" ]] || return 0
  for name in $(mdir -a -b -i "$1" ::/); do
    image_file "$1" "${name#::/}" "$2/inner"
    is_standin "$2/inner" && return 0
  done
  return 1
}

test_catalogue() {  # payload folder, work folder
  expect_eq "payload folder files" "$(ls "$1" | sort | tr '\n' ' ')" \
    "$(printf '%s\n' "${catalogue[@]}" standins.txt token-offset.txt | sort | tr '\n' ' ')"
  local name expected=
  for name in "${catalogue[@]}"; do
    if [[ $name == qelv.img ]]; then
      floppy_is_standin "$1/$name" "$2" && expected+="$name "
    else
      is_standin "$1/$name" && expected+="$name "
    fi
  done
  expect_eq "standins.txt" "$(tr '\n' ' ' < "$1/standins.txt")" "$expected"
}

# file|offset of the path|path
grub_paths=('stage2|0x217|/boot/qelv/menu.lst')
for fs in e2fs fat ffs iso9660 jfs minix ntfs reiserfs ufs2 vstafs xfs; do
  grub_paths+=("${fs}_stage1_5|0x21B|/boot/qelv/stage2")
done

test_grub() {  # payload folder, Debian's GRUB files
  local debian=$2 entry file offset path
  expect "stage1 is Debian's" cmp -s "$1/stage1" "$debian/stage1"
  for entry in "${grub_paths[@]}"; do
    IFS='|' read -r file offset path <<<"$entry"
    is_standin "$1/$file" && continue
    expect_eq "$file compatibility" "$(hex_at "$1/$file" 0x206 2)" 0302
    expect_eq "$file path" "$(hex_at "$1/$file" "$offset" $((${#path} + 1)))" "$(hex_of '%s\0' "$path")"
    [[ -f $debian/$file ]] || continue
    expect_eq "$file version" "$(hex_at "$1/$file" 0x212 5)" "$(hex_of '0.97\0')"
    expect_eq "$file bytes changed from Debian's" "$(cmp -l "$debian/$file" "$1/$file" | awk '{ printf "%d ", $1 - 1 }')" \
      "$(printf '%d ' $((offset + 6)) $((offset + 7)) $((offset + 8)) $((offset + 9)))"
  done
}

test_memdisk() {  # payload folder
  local gz=$1/memdisk.gz
  expect "memdisk.gz is a whole gzip stream" quiet gzip -t "$gz"
  expect "memdisk.gz unpacks to Debian's MEMDISK" cmp -s <(gzip -dc "$gz") /usr/lib/syslinux/memdisk
  # No file name and no time stamp: the same bytes on every run.
  expect_eq "memdisk.gz header (magic, method, flags, time)" "$(hex_at "$gz" 0 8)" 1f8b080000000000
}

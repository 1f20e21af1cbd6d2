# make-payload itself: the same bytes on every run, and the files it takes from TOVAK_VENDOR_DIR.

make_payload() { "$root/payload/make-payload" "$@"; }

test_reproducible() {  # payload folder, work folder
  local again=$2/again name differ=
  quiet make_payload "$again" || fail "make-payload into a second folder"
  for name in "${catalogue[@]}" standins.txt token-offset.txt; do cmp -s "$1/$name" "$again/$name" || differ+=" $name"; done
  expect_eq "files that differ between two runs" "$differ" ""
  local before
  before=$(stat -c '%n %y' "$again"/*)
  quiet make_payload "$again"
  expect_eq "dates after a run that changed nothing" "$(stat -c '%n %y' "$again"/*)" "$before"
}

vendor_names=(bootfont.bin NTLDR fastfat.sys ghost.exe g1ldr IO.SYS COMMAND.COM HIMEM.SYS XMSDSK.EXE
  Tw.exe NTFS.DAT CTMOUSE.EXE ATTRIB.COM strings.com DELTREE.COM OFF.COM EMM386.EXE FIND.EXE MSCDEX.EXE
  VIDE-CDD.SYS wboot.com)

boot_sector() {  # destination, size: a jump, an OEM name, code of F4h bytes, the signature
  { printf '\353\074\220MSWIN4.1'; head -c 499 /dev/zero | tr '\0' '\364'; printf '\125\252'; } \
    | head -c "$2" > "$1"
}

test_vendor_folder() {  # payload folder, work folder, Debian's GRUB files
  local vendor=$2/vendor out=$2/vendored name fs
  image_file "$1/qelv.img" ATTRIB.COM "$2/attrib.ours"
  mkdir -p "$vendor"
  for name in "${vendor_names[@]}"; do printf 'vendor %s\r\n' "$name" > "$vendor/$name"; done
  cp "$3/e2fs_stage1_5" "$vendor/FFS_STAGE1_5"  # as GRUB ships it
  for fs in iso9660 ntfs ufs2 vstafs; do cp "$1/fat_stage1_5" "$vendor/${fs}_stage1_5"; done
  boot_sector "$vendor/BOOTSECT.BIN" 512
  TOVAK_VENDOR_DIR=$vendor quiet make_payload "$out" || fail "make-payload with a full vendor folder"

  expect_eq "standins.txt with a full vendor folder" "$(stat -c %s "$out/standins.txt")" 0
  expect "ntldr is the vendor's NTLDR" cmp -s "$out/ntldr" "$vendor/NTLDR"
  expect "iso9660_stage1_5 that names /boot/qelv is taken as it is" \
    cmp -s "$out/iso9660_stage1_5" "$vendor/iso9660_stage1_5"
  expect_eq "ffs_stage1_5 as GRUB ships it gets the path patched" \
    "$(cmp -l "$vendor/FFS_STAGE1_5" "$out/ffs_stage1_5" | awk '{ printf "%d ", $1 - 1 }')" "545 546 547 548 "
  image_file "$out/qelv.img" TW.EXE "$2/tw"
  expect "TW.EXE in the image is the vendor's Tw.exe" cmp -s "$2/tw" "$vendor/Tw.exe"
  image_file "$out/qelv.img" ATTRIB.COM "$2/attrib"
  expect "ATTRIB.COM in the image is ours, not the vendor's" cmp -s "$2/attrib" "$2/attrib.ours"
  expect_eq "boot sector: vendor's jump and name, our BPB, vendor's code" \
    "$(hex_at "$out/qelv.img" 0 11) $(hex_at "$out/qelv.img" 11 51) $(hex_at "$out/qelv.img" 62 450)" \
    "$(hex_at "$vendor/BOOTSECT.BIN" 0 11) $(hex_at "$1/qelv.img" 11 51) $(hex_at "$vendor/BOOTSECT.BIN" 62 450)"
}

# Vendor folders make-payload must refuse: what | its name in the error | how to make it.
reject_not_grub() { printf 'not GRUB\r\n' > "$1/ffs_stage1_5"; }
reject_other_path() {
  cp "$3/e2fs_stage1_5" "$1/ufs2_stage1_5"
  printf 'gurb' | dd of="$1/ufs2_stage1_5" bs=1 seek=$((0x221)) conv=notrunc status=none
}
reject_twice() { touch "$1/ntldr" "$1/NTLDR"; }
reject_short_sector() { boot_sector "$1/bootsect.bin" 511; }
vendor_rejects=(
  'a stage 1.5 that is no GRUB file|ffs_stage1_5|reject_not_grub'
  'a stage 1.5 with another stage 2 path|ufs2_stage1_5|reject_other_path'
  'a name given twice|ntldr|reject_twice'
  'a boot sector of 511 bytes|bootsect.bin|reject_short_sector'
)

test_vendor_rejects() {  # payload folder, work folder, Debian's GRUB files
  local entry what name make vendor=$2/reject log
  for entry in "${vendor_rejects[@]}"; do
    IFS='|' read -r what name make <<<"$entry"
    rm -rf "$vendor"
    mkdir "$vendor"
    "$make" "$vendor" "$1" "$3"
    if log=$(TOVAK_VENDOR_DIR=$vendor make_payload "$2/rejected" 2>&1); then
      fail "make-payload accepted $what"
    else
      expect "make-payload's refusal of $what names $name" grep -qi "$name" <<<"$log"
    fi
  done
}

# System drives, and a restore's image drive, as FAT32 (LBA) partitions of disk images with GRUB
# in front, packed from a folder and a listing of DOS attributes ("RHS path", "-" for none, as
# tests/e2e/run keeps them), and read back after a boot.

dos_part_sectors=$((64 * 2048))  # 64 MB: FAT32 wants at least 65525 clusters

# GRUB's stage files come from FOLDER/boot/qelv unless another folder is given.
pack_drive() {  # folder, attribute listing, disk image[, folder of GRUB's stage files]
  local part=$3.part flags path bits
  mkfs.fat -F 32 -s 1 -h $part_start -n TOVAKSYS -C "$part" $((dos_part_sectors / 2)) > /dev/null || return
  mcopy -s -i "$part" "$1"/* ::/ || return
  while read -r flags path; do
    [[ -e $1/$path ]] || continue  # taken away for the case
    bits=()
    [[ $flags == *R* ]] && bits+=(+r)
    [[ $flags == *H* ]] && bits+=(+h)
    [[ $flags == *S* ]] && bits+=(+s)
    ((${#bits[@]} == 0)) || mattrib -i "$part" "${bits[@]}" "::/$path" || return
  done < "$2"
  grub_disk "${4:-$1/boot/qelv}" 0C "$part" "$3"
  rm "$part"
}

drive_image() { echo "$1@@$((part_start * 512))"; }  # disk image: the partition for mtools

# mattrib's lines ("  A  SHR     ::/PATH") as "ASHR PATH" ("-" for none), without "." and "..".
mattrib_lines() {
  local bits path
  sed 's|::/|\||' | while IFS='|' read -r bits path; do
    [[ $path == */. || $path == */.. ]] && continue
    bits=${bits// /}
    echo "${bits:--} $path"
  done
}

# The entries of a folder of the drive as mattrib_lines gives them, in upper case, sorted.
drive_entries() {  # disk image, folder ("" for the root, else ending in "/")
  mattrib -i "$(drive_image "$1")" "::/$2*" 2>/dev/null | mattrib_lines | tr a-z A-Z | sort
}

drive_file() {  # disk image, path, destination: false when the file is missing
  rm -f "$3"
  mcopy -n -i "$(drive_image "$1")" "::/$2" "$3" 2>/dev/null
}

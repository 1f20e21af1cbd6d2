# GRUB legacy stage files from Debian's grub-legacy package, their paths moved to /boot/qelv.

grub_debian_stage15=(e2fs fat jfs minix reiserfs xfs)

grub_unpack() {  # cache folder, destination folder
  local cache=$1 dest=$2 debs
  debs=("$cache"/grub-legacy_*.deb)
  if [[ ! -f ${debs[0]} ]]; then
    mkdir -p "$cache"
    local tmp
    tmp=$(mktemp -d "$cache/download.XXXXXX")
    # As root apt hands the download to the user _apt, who may not write here.
    (cd "$tmp" && apt-get -qq -o APT::Sandbox::User=root download grub-legacy) \
      || die "apt-get download grub-legacy failed (network, or run apt-get update)"
    mv "$tmp"/grub-legacy_*.deb "$cache/"
    rmdir "$tmp"
    debs=("$cache"/grub-legacy_*.deb)
  fi
  dpkg-deb -x "${debs[-1]}" "$dest"
}

# "/boot/grub/..." at OFFSET becomes "/boot/qelv/...". The header is checked first, and afterwards
# that exactly the four bytes of "grub" changed: a different build would be patched blindly otherwise.
grub_patch_path() {  # file, offset, path as shipped, version pattern
  local file=$1 offset=$(($2)) path=$3 version
  [[ $(hex_at "$file" 0x206 2) == 0302 ]] || die "$file: not a GRUB legacy stage file (compatibility 3.2)"
  version=$(dd if="$file" bs=1 skip=$((0x212)) count=5 status=none | tr -d '\0')
  # shellcheck disable=SC2053  # the version is a pattern
  [[ $version == $4 ]] || die "$file: GRUB version \"$version\", expected $4"
  [[ $(hex_at "$file" "$offset" $((${#path} + 1))) == "$(hex_of "$path")00" ]] \
    || die "$file: \"$path\" not found at $2"
  cp "$file" "$file.orig"
  write_at "$file" $((offset + 6)) qelv
  local changed
  changed=$(cmp -l "$file.orig" "$file" | awk '{ printf "%d ", $1 - 1 }' || true)
  [[ $changed == "$((offset + 6)) $((offset + 7)) $((offset + 8)) $((offset + 9)) " ]] \
    || die "$file: the patch changed bytes other than \"grub\" at $2"
  rm "$file.orig"
}

grub_stage15_path=/boot/grub/stage2
grub_stage15_offset=0x21B

grub_debian_files() {  # unpacked package, destination folder
  local src=$1/usr/lib/grub/x86_64-pc dest=$2 fs
  cp "$src/stage1" "$src/stage2" "$dest/"
  grub_patch_path "$dest/stage2" 0x217 /boot/grub/menu.lst 0.97
  for fs in "${grub_debian_stage15[@]}"; do
    cp "$src/${fs}_stage1_5" "$dest/"
    grub_patch_path "$dest/${fs}_stage1_5" "$grub_stage15_offset" "$grub_stage15_path" 0.97
  done
}

# A vendor stage 1.5 may come as GRUB ships it or already pointing at /boot/qelv.
grub_retarget_vendor() {  # stage 1.5 file
  local wanted=/boot/qelv/stage2
  [[ $(hex_at "$1" "$grub_stage15_offset" $((${#wanted} + 1))) == "$(hex_of "$wanted")00" ]] \
    || grub_patch_path "$1" "$grub_stage15_offset" "$grub_stage15_path" '0.9[0-9]'
}

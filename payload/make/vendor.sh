# Files no Debian package has: taken from TOVAK_VENDOR_DIR, or replaced by a stand-in.

standin_prefix='TOVAK STAND-IN: '

vendor_path() {  # name: the vendor file of that name, compared without case as DOS and Windows do
  [[ -n ${TOVAK_VENDOR_DIR:-} ]] || return 0
  [[ -d $TOVAK_VENDOR_DIR ]] || die "TOVAK_VENDOR_DIR is not a folder: $TOVAK_VENDOR_DIR"
  local found
  found=$(find "$TOVAK_VENDOR_DIR" -maxdepth 1 -type f -iname "$1")
  [[ $(wc -l <<<"$found") == 1 ]] || die "TOVAK_VENDOR_DIR holds $1 more than once"
  printf '%s' "$found"
}

supply() {  # name, what it stands for, destination
  local src
  src=$(vendor_path "$1")
  if [[ -n $src ]]; then
    cp "$src" "$3"
  else
    printf '%s%s (%s)\r\n' "$standin_prefix" "$1" "$2" > "$3"
  fi
}

is_standin() {  # file
  [[ $(hex_at "$1" 0 ${#standin_prefix}) == "$(hex_of "$standin_prefix")" ]]
}

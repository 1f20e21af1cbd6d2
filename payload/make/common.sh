# Helpers shared by the steps of make-payload.

die() { echo "make-payload: $*" >&2; exit 1; }

hex_at() {  # file, offset, length: the bytes as lower-case hex
  od -An -v -tx1 -j "$(($2))" -N "$(($3))" "$1" | tr -d ' \n'
}

hex_of() {  # text: its bytes as lower-case hex
  printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'
}

write_at() {  # file, offset, text: overwrites in place, same length
  printf '%s' "$3" | dd of="$1" bs=1 seek="$(($2))" conv=notrunc status=none
}

# DOS reads its text files with CR LF line ends; the sources keep LF (a CR already there is not doubled).
dos_text() {  # source, destination, [code page]
  sed 's/\r$//; s/$/\r/' "$1" | iconv -f UTF-8 -t "${3:-ASCII}" > "$2"
}

# Our DOS tools (strings.com, ATTRIB.COM, firstln.com) under the free DOS: dos_tools.bat as the
# start-up script of the test's floppy, booted from QEMU's floppy drive so that its changes reach
# the image.

# lines.txt: a CR LF line, an LF line, an empty line, a last line without an end.
tools_lines='first\r\nsecond\n\r\nfourth'

# firstln's files: name|bytes (printf %b). M1 ends its line with CR LF and M2 with LF; M3 is
# shorter than the text asked for and M6 longer, M4 longer than the limit, M5 has what a shell
# would act on.
tools_marks=(
  'M1.TXT|0123ABCD\r\nkey\r\n' 'M2.TXT|0123ABCD\nkey' 'M3.TXT|0123ABC\r\n'
  "M4.TXT|0123ABCD$(printf '0%.0s' {1..200})\r\n" 'M5.TXT|0123ABCD" | echo y>a:\\t\\c.txt\r\n'
  'M6.TXT|0123ABCDE\r\n'
)

# The variables afterwards (L3, set to an empty line, is gone; upper-case names, one entry each;
# Fn only where firstln matched: M1 and M2 asked for their first line).
tools_env=('DFLT=first' 'F1=yes' 'F4=yes' 'L2=second' 'L4=fourth' 'L5=kept' 'MISSING=failed'
  'NOFILE=kept')

# The entries of A:\T afterwards: attributes as mattrib shows them (A, S, H, R), then the name.
tools_attributes=('A A.TXT' 'SR B.TXT' 'H SUB')

test_dos_tools() {  # floppy of the runner's cases, work folder, screenshot
  local img=$2/tools.img dir=$2/tools
  mkdir -p "$dir"
  cp "$1" "$img"
  sed 's/$/\r/' "$here/dos_tools.bat" > "$dir/AUTOEXEC.BAT"
  printf '%b' "$tools_lines" > "$dir/lines.txt"
  local mark
  for mark in "${tools_marks[@]}"; do printf '%b' "${mark#*|}" > "$dir/${mark%%|*}"; done
  mcopy -o -i "$img" "$dir/AUTOEXEC.BAT" "$dir/lines.txt" "$dir"/M?.TXT ::/ &&
    mmd -i "$img" ::/T ::/T/SUB &&
    mcopy -i "$img" "$dir/lines.txt" ::/T/A.TXT &&
    mcopy -i "$img" "$dir/lines.txt" ::/T/B.TXT || { fail "could not make the tools' floppy"; return; }
  expect_eq "DOS tools: the batch file ends with" \
    "$(dos_boot "$dir" "$3" -boot a -drive "file=$img,if=floppy,format=raw")" prompt
  expect_eq "DOS tools: variables" \
    "$(sed -n 's/^env //p' "$dir/debugcon.log" | grep -E '^(DFLT|F[0-9]|L[0-9]|MISSING|NOFILE)=' | sort)" \
    "$(printf '%s\n' "${tools_env[@]}")"
  expect_eq "DOS tools: attributes in A:\\T" "$(mattrib -i "$img" '::/T/*' | mattrib_lines | sed 's| T/| |' | sort)" \
    "$(printf '%s\n' "${tools_attributes[@]}" | sort)"
}

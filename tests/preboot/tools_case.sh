# Our DOS tools (strings.com, ATTRIB.COM, firstln.com, renover.com) under the free DOS: dos_tools.bat as the
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
  'NOFILE=kept' 'V3=failed' 'V4=failed')

# The entries of A:\T afterwards: attributes as mattrib shows them (A, S, H, R), then the name.
tools_attributes=('A A.TXT' 'SR B.TXT' 'H SUB')

# renover's folder A:\R before and after: name|bytes, "/" for a folder. R2 is read-only and hidden.
tools_renames_before=('R1.TXT|one' 'R2.TXT|two' 'R3.TXT|three' 'R5.TXT|five' 'R6.TXT|six')
tools_renames_after=('R2.TXT|one' 'R4.TXT|three' 'R5.TXT|five' 'R6.TXT|six' 'SUB|/')

tools_folder_r() {  # image: A:\R as tools_renames_after has it
  local name
  for name in $(mdir -a -b -i "$1" ::/R | sed 's|^::/R/||' | sort); do
    if [[ $name == */ ]]; then echo "${name%/}|/"; else echo "$name|$(mtype -i "$1" "::/R/$name")"; fi
  done
}

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
    mcopy -i "$img" "$dir/lines.txt" ::/T/B.TXT &&
    mmd -i "$img" ::/R ::/R/SUB || { fail "could not make the tools' floppy"; return; }
  local entry
  for entry in "${tools_renames_before[@]}"; do
    printf '%s' "${entry#*|}" > "$dir/${entry%%|*}"
    mcopy -i "$img" "$dir/${entry%%|*}" "::/R/${entry%%|*}" || { fail "could not make the tools' floppy"; return; }
  done
  mattrib -i "$img" +r +h ::/R/R2.TXT
  expect_eq "DOS tools: the batch file ends with" \
    "$(dos_boot "$dir" "$3" -boot a -drive "file=$img,if=floppy,format=raw")" prompt
  expect_eq "DOS tools: variables" \
    "$(sed -n 's/^env //p' "$dir/debugcon.log" | grep -E '^(DFLT|F[0-9]|L[0-9]|MISSING|NOFILE|V[0-9])=' | sort)" \
    "$(printf '%s\n' "${tools_env[@]}")"
  expect_eq "DOS tools: attributes in A:\\T" "$(mattrib -i "$img" '::/T/*' | mattrib_lines | sed 's| T/| |' | sort)" \
    "$(printf '%s\n' "${tools_attributes[@]}" | sort)"
  expect_eq "DOS tools: renover's folder A:\\R" "$(tools_folder_r "$img")" \
    "$(printf '%s\n' "${tools_renames_after[@]}")"
}

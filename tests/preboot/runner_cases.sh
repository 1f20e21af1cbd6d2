# The job runner under QEMU with a free DOS, on system drives that the real Tovak.exe prepared under
# Wine (tests/e2e/run keeps them): one boot per case, from GRUB to the restart or the prompt, then
# the drives read back. Screens go to build/preboot/CASE.png.

# The token of a prepared drive: the first line of its mark, the job's record.
drive_token() {  # drive folder
  first_line "$1/boot/qelv/job.txt"
}

# Where the runner leaves the completed record: after a backup the folder that line 6 of the mark
# names; after a restore this file on the image's drive, the one whose first line is the mark for
# that drive (line 8 of the job's).
record_folder=windows/Tovak
image_record=Tovak/tovakjob.txt

# Changes to a prepared drive, one a case: the drive's folder, then qelv.img as the build made it.
drive_as_prepared() { :; }
drive_without_ghost() { rm "$1/boot/qelv/ghost.exe"; }
drive_without_token() { rm "$1/boot/qelv/job.txt"; }
# Somebody's copy of a job's files, without a token of any job.
drive_planted() { drive_without_token "$@"; }
# Somebody's job made from every name that the system drive's job folder shows to users: the
# payload with its public bytes (the image as the build made it, without this job's token), every
# other file the planter's own, and a job of the planter's that would show if it ran.
drive_copies_every_name() {  # drive folder, qelv.img as the build made it
  local file
  cp "$2" "$1/boot/qelv/qelv.img"
  while IFS= read -r -d '' file; do
    [[ " ${catalogue[*]} " == *" ${file##*/} "* ]] || printf '%s\r\n' "${file##*/}" > "$file"
  done < <(find "$1/boot" -type f -print0)
  printf 'msback.bat\r\n' > "$1/boot/qelv/state.txt"
  printf 'ghost.exe -planted\r\n' > "$1/boot/qelv/MsBack.bat"
}
# The imaging program fails with this status (the double reads it from A:\GHOSTRC).
drive_ghost_fails() {
  printf '12\r\n' > "$1/ghostrc" && mcopy -i "$1/boot/qelv/qelv.img" "$1/ghostrc" ::/GHOSTRC &&
    rm "$1/ghostrc"
}
drive_ghost_fails_255() {
  printf '255\r\n' > "$1/ghostrc" && mcopy -i "$1/boot/qelv/qelv.img" "$1/ghostrc" ::/GHOSTRC &&
    rm "$1/ghostrc"
}
drive_state_mixed_case() { printf 'MsBack.bat\r\n' > "$1/boot/qelv/state.txt"; }
drive_without_script() { rm "$1/boot/qelv/MsBack.bat"; }
# The job script names an imaging program that is not there: DOS cannot start it.
drive_ghost_cannot_start() { printf 'ghostx.exe -clone\r\n' > "$1/boot/qelv/MsBack.bat"; }
drive_without_bootfont() { rm "$1/boot/bootfont.bak"; }
drive_with_msboot() { mkdir "$1/msboot" && printf 'an earlier boot folder\r\n' > "$1/msboot/keep.txt"; }
drive_with_g1ldr() { printf 'an earlier g1ldr\r\n' > "$1/boot/g1ldr.bak"; }
drive_without_record_folder() { rm -r "${1:?}/${record_folder%%/*}"; }
drive_image_mark_none() { record_line_8 "$1" none; }
# A record of the shape before the mark for the image's drive.
drive_without_image_mark() { record_line_8 "$1" ""; }
# The imaging program waits for the power to go (the double's A:\GHOSTCUT).
drive_ghost_cut() {
  printf 'cut\r\n' > "$1/ghostcut" && mcopy -i "$1/boot/qelv/qelv.img" "$1/ghostcut" ::/GHOSTCUT &&
    rm "$1/ghostcut"
}
# A run cut short where the power-cut sweep cannot stop it, inside a step: while it copied
# boot.bak (a part of the copy), and inside renover's putting the font back (the font deleted,
# its whole copy not yet renamed). The job runs again and finishes.
drive_boot_ini_copy_in_part() { head -c 40 "$1/boot/boot.bak" > "$1/bootini.tvk"; }
drive_font_in_rename() { rm "$1/bootfont.bin" && cp "$1/boot/bootfont.bak" "$1/bootfont.tvk"; }
# The job's record for the image's drive on the job drive itself, as the job writes it there: its
# record with the mark in place of the token.
drive_image_record() {
  local job=$1/boot/qelv/job.txt
  mkdir -p "$1/${image_record%/*}"
  { sed -n 8p "$job" && sed -n 2,8p "$job"; } > "$1/$image_record"
}

record_line_8() {  # drive folder, the line ("" for none)
  local job=$1/boot/qelv/job.txt
  head -n 7 "$job" > "$job.7" && mv "$job.7" "$job"
  [[ -z $2 ]] || printf '%s\r\n' "$2" >> "$job"
}

# Changes to the image's drive of the restore (the end-to-end case's D:, with the job's record for
# it): its folder.
image_as_prepared() { :; }
# The job's record there starts with what a job without such a drive has for its mark.
image_first_line_none() { sed -i '1s/.*/none\r/' "$1/$image_record"; }
# The job's record there read-only, hidden and system: the runner takes the bits off to write it.
image_protected() { echo "RHS $image_record" >> "$1.attrib"; }
# Somebody's record there in place of the job's, without the mark.
image_planted_record() { printf '0BADF00D\r\nsomebody\r\n' > "$1/$image_record"; }

# case|C: (the job prepared, its changes)|the later drives, D: and E: ("-": none; a prepared job
# and its changes, or "image" and changes of the restore's image drive)|how the boot ends|the
# drive whose job script the imaging program runs|the drive that takes the completed record|what
# the prompt probe sees
runner_cases=(
  'backup|backup as_prepared|-|restart|C|C|'
  'restore|restore as_prepared|image as_prepared|restart|C|D|'
  'backup, the imaging program fails|backup ghost_fails|-|restart|C|C|'
  'restore, the imaging program fails|restore ghost_fails_255|image protected|restart|C|D|'
  'no drive holds the job|backup without_ghost|-|prompt|-|-|Z:\ S=234 W=123'
  'job state file reads MsBack.bat|backup state_mixed_case|-|prompt|-|-|Z:\ S=c W=MsBack.bat'
  'missing job script|backup without_script|-|restart|-|C|'
  'the imaging program cannot start|backup ghost_cannot_start|-|restart|-|C|'
  'no drive holds the token|backup without_token|-|prompt|-|-|Z:\ S=234 W=123'
  'a planted job on a later drive|backup as_prepared|restore planted|restart|C|C|'
  'a job of another preparation on a later drive|backup as_prepared|restore as_prepared|restart|C|C|'
  'a planted job on a later drive that copies every name|backup as_prepared|backup copies_every_name|restart|C|C|'
  'two drives hold the token|restore as_prepared|restore as_prepared, image as_prepared|restart|D|E|'
  'the folder for the record is missing|backup without_record_folder|-|restart|C|-|'
  'no boot\bootfont.bak|backup without_bootfont|-|restart|C|C|'
  'msboot present|backup with_msboot|-|restart|C|C|'
  'boot\g1ldr.bak present|backup with_g1ldr|-|restart|C|C|'
  'a restore whose mark for the image drive is none|restore image_mark_none|image first_line_none|restart|C|-|'
  'a restore without a mark for the image drive|restore without_image_mark|image as_prepared|restart|C|-|'
  'a planted record on a later drive than the image drive|restore as_prepared|image as_prepared, image planted_record|restart|C|D|'
  'the mark for the image drive on the job drive|restore image_record|-|restart|C|-|'
  'a power cut while the imaging program runs|restore ghost_cut|image as_prepared|cut|C|-|'
  'a run cut while it copied boot.bak|backup boot_ini_copy_in_part|-|restart|C|C|'
  'a run cut as the font went back|backup font_in_rename|-|restart|C|C|'
)

drive_letters=(C D E)

declare -A runner_jobs=(
  [backup]=JobTest.TheDefaultBackupPreparesTheBootAndTheImageFolder
  [restore]=JobTest.ARestoreFromAnImagePreparesTheRestoreAndLeavesTheImage
)

# What every boot starts, in order, before the job script.
runner_starts=(
  'device HIMEM.SYS /TESTMEM:OFF' 'run A:\XMSDSK.EXE 10000 z: /y' 'run A:\TW.EXE /n3 /np'
  'run Z:\NTFS.EXE -y' 'run Z:\NTFSPRO.EXE' 'run Z:\CTMOUSE.EXE'
)

# A drive of a case: the prepared job's C: changed, with the test's qelv.img (carrying the drive's
# token, as the job deployed it) and imaging double in place of the build's stand-ins, packed into
# DISK; DISK.before is a copy, DISK.d the folder, DISK.token the token its image carries.
runner_drive() {  # drives of the end-to-end tests, job and changes, folder of the doubles, qelv.img, disk
  local job changes change src folder=$5.d token
  read -r job changes <<<"$2"
  src=$1/cases/${runner_jobs[$job]}.c
  rm -rf "$folder"
  cp -r "$src" "$folder"
  [[ ! -f $folder/boot/qelv/ghost.exe ]] || cp "$3/GHOST.EXE" "$folder/boot/qelv/ghost.exe"
  token=$(drive_token "$folder")
  [[ $token =~ ^[0-9A-F]{8}$ ]] || return
  echo "$token" > "$5.token"
  cp "$4" "$folder/boot/qelv/qelv.img"
  printf '%s' "$token" | dd of="$folder/boot/qelv/qelv.img" bs=1 conv=notrunc status=none \
    seek="$(cat "$(dirname "$4")/token-offset.txt")"
  for change in $changes; do "drive_$change" "$folder" "$4" || return; done
  pack_drive "$folder" "$src.attrib" "$5" && cp "$5" "$5.before"
}

# The image's drive of the restore (what the end-to-end case had as D:), changed, packed into DISK
# (DISK.d the folder, DISK.before a copy), with the DOS attributes that case left there, if kept,
# and those the changes add to DISK.d.attrib.
runner_image_drive() {  # drives of the end-to-end tests, changes, folder of the case's C:, disk
  local src=$1/cases/${runner_jobs[restore]}.d folder=$4.d change
  rm -rf "$folder"
  cp -r "$src" "$folder"
  if [[ -f $src.attrib ]]; then cp "$src.attrib" "$folder.attrib"; else : > "$folder.attrib"; fi
  for change in $2; do "image_$change" "$folder" || return; done
  pack_drive "$folder" "$folder.attrib" "$4" "$3/boot/qelv" && cp "$4" "$4.before"
}

# The first line of a file without its line end.
first_line() { head -n 1 "$1" | tr -d '\r'; }

# The record that the runner completes for the drive whose job ran: the job's own, with the
# imaging program's exit status, or 1 when the script or the program never ran.
completed_record() {  # the drive as packed
  local job status=0 script
  job=$(first_line "$1/boot/qelv/state.txt")
  [[ $job == msback.bat || $job == huifu.bat ]] || return 0
  script=$(find "$1/boot/qelv" -maxdepth 1 -iname "$job")
  if [[ -z $script || $(first_line "$script" | cut -d ' ' -f 1 | tr A-Z a-z) != ghost.exe ]]; then
    status=1
  elif [[ -f $1/boot/qelv/qelv.img ]] && mtype -i "$1/boot/qelv/qelv.img" ::/GHOSTRC > "$1.rc" 2>/dev/null; then
    status=$(first_line "$1.rc")
  fi
  cat "$1/boot/qelv/job.txt"
  printf 'status %s \r\n' "$status"
}

# A drive whose job ran: the boot files as before the job, the folders gone, the root protected,
# and the job's record in its folder.
check_undone() {  # what, disk, the drive as packed, the drive before the job, the record expected
  local what=$1 disk=$2 src=$3 before=$4 name expected=() font=$3/bootfont.bin g1ldr=$3/g1ldr
  # The runner's copies of the boot files (*.TVK) go with them.
  local boot_files='^[^ ]* (BOOT\.INI|BOOTFONT\.BIN|G1LDR|NTLDR|BOOT|MSBOOT|[^ ]*\.TVK)$'
  for name in BOOT.INI BOOTFONT.BIN G1LDR NTLDR; do expected+=("ASHR $name"); done
  [[ -d $src/msboot ]] && expected+=("SHR BOOT")
  # What else is in the root stays as it was, the record's folder among it.
  mapfile -t -O ${#expected[@]} expected < <(drive_entries "$disk.before" "" | grep -v -E "$boot_files")
  expect_eq "$what: root entries" "$(drive_entries "$disk" "")" "$(printf '%s\n' "${expected[@]}" | sort)"
  local owned='^[^ ]* ((BOOT|MSBOOT)/|(BOOT\.INI|BOOTFONT\.BIN|G1LDR|NTLDR|[^ ]*\.TVK) )'
  expect_eq "$what: what the job did not own is as before" \
    "$(drive_rest "$disk" "$record_folder/tovakjob.txt" | grep -v -E "$owned")" \
    "$(drive_rest "$disk.before" "$record_folder/tovakjob.txt" | grep -v -E "$owned")"
  expect "$what: boot.ini is the one before the job" same_file "$disk" boot.ini "$before/boot.ini"
  [[ -f $src/boot/bootfont.bak ]] && font=$before/bootfont.bin
  expect "$what: bootfont.bin is ${font#"$src"/}" same_file "$disk" bootfont.bin "$font"
  expect "$what: ntldr is the deployed one" same_file "$disk" ntldr "$src/ntldr"
  local record=()
  [[ -z $5 ]] || record=("A $record_folder/TOVAKJOB.TXT")
  expect_eq "$what: the record's folder" "$(drive_entries "$disk" "$record_folder/")" \
    "$(printf '%s\n' "${record[@]}" | tr a-z A-Z)"
  if [[ -n $5 ]]; then
    expect "$what: tovakjob.txt is the job's record with the exit status" \
      same_file "$disk" "$record_folder/tovakjob.txt" <(printf '%s' "$5")
  fi
  [[ -f $src/boot/g1ldr.bak ]] && g1ldr=$src/boot/g1ldr.bak
  expect "$what: g1ldr is ${g1ldr#"$src"/}" same_file "$disk" g1ldr "$g1ldr"
  if [[ -d $src/msboot ]]; then
    expect_eq "$what: boot holds what msboot held" "$(drive_entries "$disk" boot/ | cut -d ' ' -f 2)" \
      "$(cd "$src/msboot" && find . -mindepth 1 -printf 'BOOT/%P\n' | tr a-z A-Z | sort)"
  fi
  dd if="$disk" of="$disk.part" bs=512 skip=$part_start status=none
  expect "$what: the partition passes fsck.fat -n" quiet fsck.fat -n "$disk.part"
  rm "$disk.part"
}

# The image's drive of a restore: as before, but for the job's record there, now completed.
check_image_drive() {  # what, disk, the record expected
  local what=$1 disk=$2
  expect_eq "$what: the drive is as before but for the record" "$(drive_rest "$disk" "$image_record")" \
    "$(drive_rest "$disk.before" "$image_record")"
  expect_eq "$what: the record's entry" "$(drive_entries "$disk" "${image_record%/*}/" | grep -i "${image_record#*/}")" \
    "A ${image_record^^}"
  expect "$what: tovakjob.txt is the job's record with the exit status" \
    same_file "$disk" "$image_record" <(printf '%s' "$3")
  dd if="$disk" of="$disk.part" bs=512 skip=$part_start status=none
  expect "$what: the partition passes fsck.fat -n" quiet fsck.fat -n "$disk.part"
  rm "$disk.part"
}

same_file() {  # disk image, path, expected bytes
  drive_file "$1" "$2" "$1.file" && cmp -s "$1.file" "$3"
}

# The drive that holds the job: of those with boot\qelv\ghost.exe and a mark whose first line is
# the token that the booted image (C:'s) carries, the one with the later letter.
job_drive() {  # disks by letter...
  local i=0 disk found= token mark
  token=$(cat "$1.token")
  for disk; do
    mark=$(first_line "$disk.d/boot/qelv/job.txt" 2>/dev/null)
    [[ -f $disk.d/boot/qelv/ghost.exe && $mark == "$token" ]] && found=${drive_letters[i]}
    i=$((i + 1))
  done
  echo "$found"
}

runner_check() {  # case, ending expected, imaging drive, record's drive, probe's view, disks...
  local what=$1 end=$2 imaging=$3 recorded=$4 view=$5 dir
  dir=$(dirname "$6")
  shift 5
  local ended
  ended=$(cat "$dir/end")
  expect_eq "$what: the boot ends with" "$ended" "$end"
  local starts=("${runner_starts[@]}")
  if [[ $imaging != - ]]; then  # the line of the script that the state file names, without case
    local qelv script
    qelv=$(runner_disk_of "$imaging" "$@").d/boot/qelv
    script=$(find "$qelv" -maxdepth 1 -iname "$(first_line "$qelv/state.txt")")
    starts+=("run Z:\\GHOST.EXE $(first_line "$script" | cut -d ' ' -f 2-)")
  fi
  expect_eq "$what: programs started" "$(grep -a -e '^run ' -e '^device ' "$dir/debugcon.log" | sed 's/ *$//')" \
    "$(printf '%s\n' "${starts[@]}")"
  if [[ $end == prompt ]]; then
    expect_eq "$what: the prompt probe sees" "$(sed -n 's/^prompt //p' "$dir/debugcon.log") $(
      sed -n 's/^env \([SW]=.*\)/\1/p' "$dir/debugcon.log" | sort | tr '\n' ' ' | sed 's/ $//')" "$view"
  fi
  local job record='' i=0 letter disk
  job=$(job_drive "$@")
  if [[ -n $job && $recorded != - ]]; then
    record=$(completed_record "$(runner_disk_of "$job" "$@").d" && echo x)
    record=${record%x}
  fi
  for disk; do
    letter=${drive_letters[i]}
    i=$((i + 1))
    if [[ $letter == "$job" ]]; then
      local own=
      [[ $recorded != "$letter" ]] || own=$record
      check_undone "$what, $letter:" "$disk" "$disk.d" "$xp_drive" "$own"
    elif [[ $letter == "$recorded" ]]; then
      check_image_drive "$what, $letter:" "$disk" "$record"
    else
      expect "$what, $letter: the drive is unchanged" cmp -s "$disk" "$disk.before"
    fi
  done
}

runner_disk_of() {  # letter, disks...
  local i
  for i in "${!drive_letters[@]}"; do [[ ${drive_letters[i]} != "$1" ]] || echo "${@:i+2:1}"; done
}

# Every entry of a drive but the named file: attributes, path in upper case, and a file's MD5
# (a folder's path ends in "/").
drive_rest() {  # disk image, path left out
  local img tree=$1.tree flags path file
  local -A sums=()
  img=$(drive_image "$1")
  rm -rf "$tree"
  mkdir "$tree"
  mcopy -s -n -i "$img" '::/*' "$tree/" 2>/dev/null
  while IFS= read -r -d '' file; do
    sums[${file^^}]=$(md5sum < "$tree/$file" | cut -d ' ' -f 1)
  done < <(cd "$tree" && find . -type f -printf '%P\0')
  rm -rf "$tree"
  mattrib -/ -i "$img" '::/*' 2>/dev/null | mattrib_lines | tr a-z A-Z | while read -r flags path; do
    [[ $path == "${2^^}" ]] && continue
    if [[ -n ${sums[$path]:-} ]]; then echo "$flags $path ${sums[$path]}"; else echo "$flags $path/"; fi
  done | sort
}

test_dos_runner() {  # work folder, drives of the end-to-end tests, folder for the screens
  if ! dos_available; then
    echo "preboot: DOS runner cases skipped: no free DOS in $dos_dir (TOVAK_DOS_DIR)"
    skipped=$((skipped + 1))
    return
  fi
  if [[ ! -d $2/cases/${runner_jobs[backup]}.c || ! -d $2/cases/${runner_jobs[restore]}.c ]]; then
    fail "DOS runner cases: no drives prepared by tests/e2e/run in $2"
    return
  fi
  xp_drive=$2/xp.c
  local floppy doubles=$1/dos-vendor entry what c later end imaging recorded view i=0 dir disks disk drive k
  floppy=$(dos_floppy "$1") || { fail "could not make the DOS floppy"; return; }
  mkdir -p "$3"
  test_dos_tools "$floppy" "$1" "$3/dos-tools.png"
  local -a case_disks=()
  for entry in "${runner_cases[@]}"; do
    IFS='|' read -r what c later end imaging recorded view <<<"$entry"
    dir=$1/runner-$i
    mkdir -p "$dir"
    disks="$dir/c.img"
    runner_drive "$2" "$c" "$doubles" "$floppy" "$dir/c.img" || fail "$what: could not make C:"
    k=1
    [[ $later == - ]] || while read -r -d , drive; do
      disk=$dir/${drive_letters[k],,}.img
      if [[ $drive == image\ * ]]; then
        runner_image_drive "$2" "${drive#image }" "$dir/c.img.d" "$disk"
      else
        runner_drive "$2" "$drive" "$doubles" "$floppy" "$disk"
      fi || fail "$what: could not make ${drive_letters[k]}:"
      disks+=" $disk"
      k=$((k + 1))
    done <<<"$later,"
    case_disks+=("$disks")
    i=$((i + 1))
  done
  # Two boots at a time: each waits on one emulated CPU.
  local running=0 shot drives cut_at
  for i in "${!runner_cases[@]}"; do
    if ((running >= 2)); then
      wait -n
      running=$((running - 1))
    fi
    shot=$3/$(cut -d '|' -f 1 <<<"${runner_cases[$i]}" | tr -c 'A-Za-z0-9.\n' '-').png
    drives=(-boot c)
    for disk in ${case_disks[$i]}; do drives+=(-drive "file=$disk,if=ide,format=raw"); done
    cut_at=
    [[ $(cut -d '|' -f 4 <<<"${runner_cases[$i]}") != cut ]] || cut_at='^ghost waits'
    dos_cut_at=$cut_at dos_boot "$1/runner-$i" "$shot" "${drives[@]}" > "$1/runner-$i/end" &
    running=$((running + 1))
  done
  wait
  for i in "${!runner_cases[@]}"; do
    IFS='|' read -r what c later end imaging recorded view <<<"${runner_cases[$i]}"
    # shellcheck disable=SC2086
    runner_check "$what" "$end" "$imaging" "$recorded" "$view" ${case_disks[$i]}
  done
}

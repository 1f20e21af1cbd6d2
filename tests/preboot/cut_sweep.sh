# Power cuts while the runner changes the disks. The sweep's floppy is the runner's cases' floppy
# whose AUTOEXEC.BAT has "a:\mark.com N" before each line that changes a drive (MARK.COM is a
# double: the product has no marks). Booted from QEMU's floppy drive with A:\CUTAT holding N, it
# stops before line N, as a power cut there would; QEMU's own writes are in the disk image by then,
# DOS's unwritten buffers are lost. The drive is then read as the NT loader reads it, and where
# boot.ini still starts the job the drive boots again the job's way (GRUB, MEMDISK and the drive's
# own qelv.img, which has no A:\CUTAT) and must finish the job.

# A line that changes a drive of the job's: a deletion, a rename, a folder made or removed, an
# attribute set or a copy onto the job drive (%s%) or the image's (%i%).
cut_changes='(^|[ |])(del|rd|md|ren|renover) +%[si]%:|(^|[ |])attrib .*%[si]%:|copy +[^ ]+ +%[si]%:'

# case|C: (the job prepared, its changes)|D: ("-" or the image drive's changes)|the drive whose job
# script runs|the drive that takes the record. The backup is cut before every marked line it passes,
# the restore before those only a restore passes.
cut_cases=(
  'backup|backup with_msboot with_g1ldr|-|C|C'
  'restore|restore as_prepared|image as_prepared|C|D'
)

# The sweep's floppy in FOLDER: qelv.img, MARK.COM in it, token-offset.txt for runner_drive, and
# marks.txt, the marked lines in order.
cut_floppy() {  # floppy of the runner's cases, folder
  local dir=$2 offset
  mkdir -p "$dir"
  cp "$1" "$dir/qelv.img"
  nasm -f bin -i "$here/doubles/" -o "$dir/MARK.COM" "$here/doubles/mark.asm" &&
    image_file "$1" AUTOEXEC.BAT "$dir/runner.bat" || return
  awk -v changes="$cut_changes" -v marks="$dir/marks.txt" '
    tolower($0) !~ /^rem / && $0 ~ changes {
      n++
      printf "a:\\mark.com %d\r\n", n
      line = $0
      sub(/\r$/, "", line)
      print line > marks
    }
    { print }' "$dir/runner.bat" > "$dir/AUTOEXEC.BAT"
  mdel -i "$dir/qelv.img" ::/AUTOEXEC.BAT &&
    mcopy -i "$dir/qelv.img" "$dir/AUTOEXEC.BAT" "$dir/MARK.COM" ::/ || return
  # The runner grew: the token's placeholder moved.
  offset=$(grep -obUaF 'set tok=TOKEN000' "$dir/qelv.img" | cut -d : -f 1)
  [[ $(wc -w <<<"$offset") == 1 ]] || return
  echo $((offset + 8)) > "$dir/token-offset.txt"
}

# How the NT loader starts from a drive: "job" when boot.ini is the job's and the job is whole (its
# g1ldr in the root, every file of boot as prepared), "windows" when boot.ini is the one before the
# job and the loader and its font are whole; otherwise why the machine does not start. Without
# boot.ini the loader starts \WINDOWS on the first partition, which a machine installed elsewhere
# has not.
loader_view() {  # disk, the drive as prepared (folder), the drive before the job (folder)
  local disk=$1 tree=$1.view
  if ! drive_file "$disk" boot.ini "$disk.ini"; then
    echo "no boot.ini"
  elif cmp -s "$disk.ini" "$3/boot.ini"; then
    if ! same_file "$disk" ntldr "$2/ntldr"; then
      echo "boot.ini of Windows, ntldr not whole"
    elif drive_file "$disk" bootfont.bin "$disk.font" && ! cmp -s "$disk.font" "$3/bootfont.bin" &&
      ! cmp -s "$disk.font" "$2/bootfont.bin"; then
      echo "boot.ini of Windows, bootfont.bin in part"
    else
      echo windows
    fi
  elif cmp -s "$disk.ini" "$2/boot.ini"; then
    rm -rf "$tree"
    mkdir "$tree"
    mcopy -s -n -i "$(drive_image "$disk")" ::/boot "$tree/" 2>/dev/null
    if ! same_file "$disk" g1ldr "$2/g1ldr"; then
      echo "the job's boot.ini without the job's g1ldr"
    elif ! diff -r -q "$tree/boot" "$2/boot" > /dev/null 2>&1; then
      echo "the job's boot.ini without the whole job folder"
    else
      echo job
    fi
    rm -rf "$tree"
  else
    echo "a boot.ini neither the job's nor the one before"
  fi
}

# What a cut left for Windows to find, beside a root as the finished runner leaves it: root
# entries more (+) or fewer (-), boot files not yet back, the job's folder and what it still
# holds, root files not yet protected.
cut_leftovers() {  # disk, the drive as prepared (folder)
  local disk=$1 now expected left=() files
  now=$(drive_entries "$disk" "" | cut -d ' ' -f 2 | sort)
  # msboot goes back as boot; without it boot goes.
  expected=$(drive_entries "$disk.before" "" | cut -d ' ' -f 2 | grep -vx MSBOOT | sort)
  [[ -d $2/msboot ]] || expected=$(grep -vx BOOT <<<"$expected")
  mapfile -t -O 0 left < <(comm -23 <(echo "$now") <(echo "$expected") | sed 's/^/+/')
  mapfile -t -O ${#left[@]} left < <(comm -13 <(echo "$now") <(echo "$expected") | sed 's/^/-/')
  [[ -f $2/boot/bootfont.bak ]] && same_file "$disk" bootfont.bin "$2/bootfont.bin" &&
    left+=("bootfont.bin the job's")
  [[ -f $2/boot/g1ldr.bak ]] && same_file "$disk" g1ldr "$2/g1ldr" && left+=("g1ldr the job's")
  if grep -qx BOOT <<<"$now" && ! drive_file "$disk" boot/keep.txt "$disk.keep"; then
    files="boot with $(drive_entries "$disk" boot/ | grep -v -c ' BOOT/QELV$') files"
    drive_entries "$disk" boot/ | grep -q ' BOOT/QELV$' &&
      files+=", qelv with $(drive_entries "$disk" boot/qelv/ | wc -l)"
    drive_file "$disk" boot/qelv/job.txt "$disk.mark" && files+=" (job.txt among them)"
    left+=("$files")
  fi
  drive_entries "$disk" "" | grep -v -e '^[^ ]*S[^ ]*H[^ ]*R' -e ' WINDOWS$' -q && left+=("root not all protected")
  ((${#left[@]} > 0)) || left=(nothing)
  local IFS=';'
  echo "${left[*]}"
}

# The file of the user's boot folder (drive_with_msboot's) is in msboot or, given back, in boot.
user_boot_kept() {  # disk
  drive_file "$1" msboot/keep.txt "$1.keep" || drive_file "$1" boot/keep.txt "$1.keep"
}

# One boot of the sweep, in the background: DIR/end takes how it ended.
cut_boot() {  # folder, cut at (a mark, or "" for none), QEMU's drive arguments...
  local dir=$1 at=$2
  shift 2
  if [[ -n $at ]]; then
    cp "$dir/c.img.d/boot/qelv/qelv.img" "$dir/floppy.img"
    printf '%s\r\n' "$at" > "$dir/cutat"
    mcopy -i "$dir/floppy.img" "$dir/cutat" ::/CUTAT
    dos_cut_at='^cut ' dos_boot "$dir" "$dir/cut.png" -boot a \
      -drive "file=$dir/floppy.img,if=floppy,format=raw" "$@" > "$dir/end" &
  else
    dos_boot "$dir" "$dir/again.png" -boot c "$@" > "$dir/end" &
  fi
}

names_boot_ini() { [[ ${marks[$1 - 1],,} == *boot.ini* ]]; }  # mark

# The sweep: "all" cuts before every marked line, "some" in the backup only, before and after
# each line that names boot.ini.
# Prints each cut and what came of it, and the count of cuts that left a machine that starts.
test_cut_sweep() {  # work folder, drives of the end-to-end tests, all|some
  if ! dos_available; then
    echo "preboot: cut sweep skipped: no free DOS in $dos_dir (TOVAK_DOS_DIR)"
    skipped=$((skipped + 1))
    return
  fi
  xp_drive=$2/xp.c
  local floppy=$1/dos-payload/qelv.img sweep=$1/cuts doubles=$1/dos-vendor
  [[ -f $floppy ]] || floppy=$(dos_floppy "$1") || { fail "could not make the DOS floppy"; return; }
  cut_floppy "$floppy" "$sweep" || { fail "cut sweep: could not make the marked floppy"; return; }
  local -a marks
  mapfile -t marks < "$sweep/marks.txt"
  local entry name c later imaging recorded n dir running=0
  local -a dirs=() cut=()
  local -A reached=()
  for entry in "${cut_cases[@]}"; do
    IFS='|' read -r name c later imaging recorded <<<"$entry"
    [[ $name == backup || $3 == all ]] || continue
    for n in $(seq 1 ${#marks[@]}); do
      [[ $name == backup || -z ${reached[$n]:-} ]] || continue
      [[ $3 == all ]] || names_boot_ini "$n" || { ((n > 1)) && names_boot_ini $((n - 1)); } ||
        continue
      dir=$sweep/$name-$n
      mkdir -p "$dir"
      runner_drive "$2" "$c" "$doubles" "$sweep/qelv.img" "$dir/c.img" || { fail "cut sweep: could not make C:"; continue; }
      local args=(-drive "file=$dir/c.img,if=ide,format=raw")
      if [[ $later != - ]]; then
        runner_image_drive "$2" "${later#image }" "$dir/c.img.d" "$dir/d.img" || { fail "cut sweep: could not make D:"; continue; }
        args+=(-drive "file=$dir/d.img,if=ide,format=raw")
      fi
      echo "$name|$n|$imaging|$recorded|${args[*]}" > "$dir/case"
      if ((running >= 2)); then wait -n; running=$((running - 1)); fi
      cut_boot "$dir" "$n" "${args[@]}"
      running=$((running + 1))
      dirs+=("$dir")
    done
    wait
    running=0
    for dir in "${dirs[@]}"; do
      [[ $(cat "$dir/end") != cut ]] || reached[${dir##*-}]=1
    done
  done

  # Where boot.ini still starts the job, the drive boots again, uncut.
  local view
  for dir in "${dirs[@]}"; do
    [[ $(cat "$dir/end") == cut ]] || continue
    cut+=("$dir")
    view=$(loader_view "$dir/c.img" "$dir/c.img.d" "$xp_drive")
    echo "$view" > "$dir/view"
    [[ $view == job ]] || continue
    IFS='|' read -r name n imaging recorded entry < "$dir/case"
    if ((running >= 2)); then wait -n; running=$((running - 1)); fi
    # shellcheck disable=SC2086
    cut_boot "$dir" "" $entry
    running=$((running + 1))
  done
  wait

  local starts=0 what disks
  for dir in "${cut[@]}"; do
    IFS='|' read -r name n imaging recorded entry < "$dir/case"
    what="cut sweep: $name, before mark $n (${marks[n - 1]})"
    view=$(cat "$dir/view")
    disks=$dir/c.img
    [[ ! -f $dir/d.img ]] || disks+=" $dir/d.img"
    if [[ $view == windows ]]; then
      echo "$what: Windows starts; left: $(cut_leftovers "$dir/c.img" "$dir/c.img.d")"
      starts=$((starts + 1))
      if [[ -d $dir/c.img.d/msboot ]]; then
        expect "$what: the user's boot folder is kept" user_boot_kept "$dir/c.img"
      fi
    elif [[ $view == job ]]; then
      local ended
      ended=$(cat "$dir/end")
      view=$(loader_view "$dir/c.img" "$dir/c.img.d" "$xp_drive")
      echo "$what: the job runs again and ends with $ended; then $view"
      [[ $ended != restart || $view != windows ]] || starts=$((starts + 1))
      # shellcheck disable=SC2086
      runner_check "$what, started again" restart "$imaging" "$recorded" "" $disks
    else
      echo "$what: $view"
    fi
  done
  local missed=()
  if [[ $3 == all ]]; then
    for n in $(seq 1 ${#marks[@]}); do [[ -n ${reached[$n]:-} ]] || missed+=("$n"); done
  fi
  expect_eq "cut sweep: marks no case passed" "${missed[*]}" ""
  expect_eq "cut sweep: cuts that left a machine that starts" "$starts/${#cut[@]}" "${#cut[@]}/${#cut[@]}"
  echo "cut sweep: $starts/${#cut[@]} cuts left a machine that starts"
}

# One boot under QEMU, from the BIOS to the end of the DOS start-up. A restart pauses the machine
# (-no-reboot makes the reset a shutdown, which pauses it) so that the screen can be saved. Once
# the mouse driver's double has run, "here" is typed: the keys wait in the BIOS until a shell
# reads them at its prompt, where HERE.COM reports. Prints how the boot ended: "restart",
# "reset" (not RESTART.COM's), "prompt", "cut" (the debug console showed a line matching
# dos_cut_at, when set: the machine is stopped there, as by a power cut), "hang" (none of those
# within 90 s) or "exit" (QEMU ended by itself).

# A reset is "restart" when RESTART.COM asked for it: its warm-boot flag 1234h in the BIOS data
# area (0040:0072) tells it from a crash, which QEMU also turns into a reset.
restart_kind() {  # folder, monitor's file descriptor
  local flag
  echo 'xp /1hx 0x472' >&"$2"
  for _ in {1..25}; do
    flag=$(sed -n 's/^0*472: *//p' "$1/monitor.log" | tr -d '\r')
    [[ -n $flag ]] && break
    sleep 0.2
  done
  if [[ $flag == 0x1234 ]]; then echo restart; else echo "reset (flag ${flag:-unread})"; fi
}

dos_boot() {  # folder for the logs and the screen, screenshot (PNG), QEMU's drive arguments...
  local dir=$1 shot=$2 mon qemu monitor typed='' end=hang
  shift 2
  rm -f "$dir"/mon.* "$dir/debugcon.log" "$dir/screen.ppm"
  mkfifo "$dir/mon.in" "$dir/mon.out"
  qemu-system-i386 -display none -no-reboot -action shutdown=pause -nic none "$@" \
    -debugcon "file:$dir/debugcon.log" -chardev "pipe,id=mon,path=$dir/mon" -mon chardev=mon &
  qemu=$!
  # Opened for reading and writing, neither waits for QEMU, which may not get that far.
  exec {mon}<>"$dir/mon.in"
  cat 0<>"$dir/mon.out" > "$dir/monitor.log" &
  monitor=$!
  local deadline=$((SECONDS + 90))
  while ((SECONDS < deadline)); do
    kill -0 "$qemu" 2>/dev/null || { end='exit'; break; }
    if [[ -z $typed ]] && grep -q '^run .*CTMOUSE' "$dir/debugcon.log" 2>/dev/null; then
      sleep 1
      printf 'sendkey %s\n' h e r e ret >&"$mon"
      typed=1
    fi
    if grep -q '^here done' "$dir/debugcon.log" 2>/dev/null; then end=prompt; break; fi
    if [[ -n ${dos_cut_at:-} ]] && grep -q "$dos_cut_at" "$dir/debugcon.log" 2>/dev/null; then
      echo stop >&"$mon"
      end='cut'
      break
    fi
    echo 'info status' >&"$mon"
    if grep -q 'paused (shutdown)' "$dir/monitor.log"; then end=$(restart_kind "$dir" "$mon"); break; fi
    sleep 0.3
  done
  printf '%s\n' "screendump $dir/screen.ppm" quit >&"$mon"
  for _ in {1..50}; do kill -0 "$qemu" 2>/dev/null && sleep 0.2; done
  kill "$qemu" "$monitor" 2>/dev/null
  wait "$qemu" "$monitor" 2>/dev/null
  exec {mon}>&-
  convert "$dir/screen.ppm" "$shot" 2>/dev/null
  echo "$end"
}

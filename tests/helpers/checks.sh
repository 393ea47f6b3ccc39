# Sourced by the shell tests: check/eventually/finish and the count of
# failed checks, and counts of the skin on screenshots.
failures=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
# Retries a condition for up to 30 s: windows, files and processes come
# and go in their own time.
eventually() {
  for _ in $(seq 1 150); do "$@" && return 0; sleep 0.2; done
  return 1
}
finish() {
  echo "$failures failed"
  [[ $failures -eq 0 ]]
}
# Screenshots of the skin: grab_x DISPLAY FILE takes the whole X screen;
# count_skin FILE counts it with tests/helpers' skin_pixels (in
# $skin_pixels) into $work/counts; figure NAME reads a count back.
grab_x() {
  local screen
  screen=$(DISPLAY=$1 xdpyinfo | awk '/dimensions:/ {print $2}')
  ffmpeg -v error -y -f x11grab -video_size "$screen" -i "$1" -frames:v 1 "$2"
}
count_skin() { "$skin_pixels" "$1" "$here/assets/skin/main/Background.bmp" >"$work/counts"; }
figure() { awk -v name="$1" '$1 == name {print $2}' "$work/counts"; }

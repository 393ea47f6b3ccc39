#!/usr/bin/env bash
# The feedback server under load: ab (apache2-utils) sends the program's
# request from 1, 16 and 256 clients at once on 127.0.0.1; prints requests
# per second and latency, then checks that every acknowledged message is
# in the database (lost: 0) and that it is whole.
# Usage: bench/feedback_server_bench.sh [BUILD_DIR] [REQUESTS]
set -euo pipefail
build=${1:-build}
requests=${2:-5000}
server=$build/src/feedback_server/tolvik-feedback-server
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
"$server" --database "$work/feedback.sqlite" --port 0 --burst 0 --connections 1024 > "$work/log" 2>&1 &
pid=$!
port=
for _ in $(seq 50); do
  port=$(sed -n 's/^listening on .* port \([0-9]*\)$/\1/p' "$work/log")
  [[ -n "$port" ]] && break
  sleep 0.1
done
url="http://127.0.0.1:$port/suggest/post.php?name=Bench&age=bench%40example.org&comment=A%20message%20of%20some%20length%2C%20as%20a%20user%20writes%20one."
printf '%-8s %10s %10s %10s %10s %10s\n' clients "req/s" "mean ms" "p50 ms" "p99 ms" failed
acknowledged=0
for clients in 1 16 256; do
  ab -q -n "$requests" -c "$clients" "$url" > "$work/ab" 2>&1 || true
  rps=$(awk '/^Requests per second/ {print $4}' "$work/ab")
  mean=$(awk '/^Time per request:.*\(mean\)$/ {print $4; exit}' "$work/ab")
  p50=$(awk '$1 == "50%" {print $2}' "$work/ab")
  p99=$(awk '$1 == "99%" {print $2}' "$work/ab")
  complete=$(awk '/^Complete requests/ {print $3}' "$work/ab")
  failed=$(awk '/^Failed requests/ {print $3}' "$work/ab")
  non2xx=$(awk '/^Non-2xx responses/ {print $3}' "$work/ab")
  acknowledged=$((acknowledged + complete - failed - ${non2xx:-0}))
  printf '%-8s %10s %10s %10s %10s %10s\n' "$clients" "$rps" "$mean" "$p50" "$p99" "$((failed + ${non2xx:-0}))"
done
kill -9 "$pid"; wait "$pid" 2>/dev/null || true
stored=$(sqlite3 "$work/feedback.sqlite" "SELECT count(*) FROM messages")
echo "acknowledged: $acknowledged  stored: $stored  lost: $((acknowledged > stored ? acknowledged - stored : 0))  (killed -9 at the end)"
echo "integrity: $(sqlite3 "$work/feedback.sqlite" 'PRAGMA integrity_check')"

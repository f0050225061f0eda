#!/usr/bin/env bash
# Runs a command beside the scripted update server (update_test_server.py) on
# 127.0.0.1, telling it the server's port in SNAPVANE_TEST_SERVER_PORT, and
# stops the server when the command ends.
# Usage: with_update_server.sh COMMAND [ARGS...]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
python=$(command -v python3 || echo /usr/bin/python3)
portfile=$(mktemp)
rm -f "$portfile"
"$python" "$here/update_test_server.py" --port-file "$portfile" &
server=$!
cleanup() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -f "$portfile"
}
trap cleanup EXIT
for _ in $(seq 1 200); do
  [ -s "$portfile" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$portfile" ]; then
  echo "the update test server did not start" >&2
  exit 1
fi
SNAPVANE_TEST_SERVER_PORT=$(cat "$portfile")
export SNAPVANE_TEST_SERVER_PORT
"$@"
exit $?

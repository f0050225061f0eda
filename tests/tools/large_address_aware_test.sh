#!/usr/bin/env bash
# check-imports refuses a 32-bit program that is not large-address-aware:
# a copy of the shipped exe with the flag cleared must fail the check.
set -eu
check=$1
exe=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$exe" "$dir/plain.exe"
python3 - "$dir/plain.exe" <<'PY'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    data = bytearray(f.read())
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    at = pe + 4 + 18  # the file header's Characteristics
    flags = struct.unpack_from("<H", data, at)[0]
    if not flags & 0x20:
        sys.exit("the shipped exe is not large-address-aware to begin with")
    struct.pack_into("<H", data, at, flags & ~0x20)
    f.seek(0)
    f.write(data)
PY
if out=$(bash "$check" "$dir/plain.exe"); then
  echo "check-imports accepted an exe without the large-address-aware flag:"; echo "$out"
  exit 1
fi
if ! grep -q "not large-address-aware" <<<"$out"; then
  echo "check-imports failed for another reason:"; echo "$out"
  exit 1
fi
echo "check-imports refuses an exe without the large-address-aware flag"

#!/usr/bin/env bash
# Checks a folder of the Windows package: every DLL that kolvetra.exe or a
# DLL beside it imports is either in the folder or part of Windows, and every
# DLL in the folder is imported by something (the package carries nothing
# else). Usage: scripts/check-windows-dlls.sh <folder>
set -euo pipefail

folder=${1:?usage: $0 <folder>}
objdump=x86_64-w64-mingw32-objdump
# Windows' own libraries, and the C run-time every Windows has.
system="advapi32 avrt gdi32 imm32 kernel32 msvcrt ole32 oleaut32 setupapi shell32 user32 version winmm"

lower() { tr '[:upper:]' '[:lower:]'; }
imports() { $objdump -p "$1" | awk '/DLL Name:/ {print $3}' | lower; }

shipped=$(cd "$folder" && ls | grep -i '\.dll$' | lower | sort || true)
needed=""
status=0
for binary in "$folder"/kolvetra.exe "$folder"/*.dll; do
  [ -e "$binary" ] || continue
  for dll in $(imports "$binary"); do
    if grep -qx "$dll" <<<"$shipped"; then
      needed+="$dll"$'\n'
    elif ! grep -qw "${dll%.dll}" <<<"$system"; then
      echo "$(basename "$binary") needs $dll, which is neither in the package nor part of Windows" >&2
      status=1
    fi
  done
done
for dll in $shipped; do
  if ! grep -qx "$dll" <<<"$needed"; then
    echo "$dll is in the package but nothing loads it" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "windows: the DLLs are complete: $(echo $shipped)"
exit $status

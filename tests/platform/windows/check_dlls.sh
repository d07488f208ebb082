#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that is not part of Windows
# itself (a MinGW runtime such as libstdc++-6.dll or libwinpthread-1.dll).
# Usage: check_dlls.sh OBJDUMP PROGRAM.exe...
set -euo pipefail
objdump="$1"
shift
status=0
for exe in "$@"; do
  mapfile -t dlls < <("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ ${#dlls[@]} -eq 0 ]; then
    echo "$exe: imports no DLL: not a Windows program"
    status=1
  fi
  for dll in "${dlls[@]}"; do
    case "${dll,,}" in
      kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll | advapi32.dll | shell32.dll | user32.dll) ;;
      *)
        echo "$exe: needs $dll, which Windows does not have"
        status=1
        ;;
    esac
  done
  echo "$(basename "$exe"): ${dlls[*]}"
done
exit $status

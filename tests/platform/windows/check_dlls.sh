#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that is not part of Windows
# itself (a MinGW runtime such as libstdc++-6.dll or libwinpthread-1.dll, or
# a Qt DLL).
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
      # The C runtime and the system DLLs every Windows 10 and 11 has (the
      # windows' Qt draws with GDI, DirectWrite and Direct2D, and asks for
      # the theme, the shell's dialogs and the desktop composition), and the
      # API sets of Windows 8 and later that Qt's core asks for (Windows
      # Runtime strings for the locale, WaitOnAddress for its mutexes).
      kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll | advapi32.dll | shell32.dll | \
        user32.dll | gdi32.dll | comdlg32.dll | ole32.dll | oleaut32.dll | imm32.dll | winmm.dll | \
        uxtheme.dll | dwmapi.dll | version.dll | shlwapi.dll | setupapi.dll | netapi32.dll | \
        userenv.dll | ws2_32.dll | mpr.dll | authz.dll | wtsapi32.dll | dwrite.dll | d2d1.dll | \
        d3d11.dll | d3d9.dll | dxgi.dll | shcore.dll | crypt32.dll | bcrypt.dll | comctl32.dll | \
        api-ms-win-core-winrt-l1-1-0.dll | api-ms-win-core-winrt-string-l1-1-0.dll | \
        api-ms-win-core-synch-l1-2-0.dll) ;;
      *)
        echo "$exe: needs $dll, which Windows does not have"
        status=1
        ;;
    esac
  done
  echo "$(basename "$exe"): ${dlls[*]}"
done
exit $status

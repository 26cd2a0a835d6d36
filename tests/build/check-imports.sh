#!/bin/sh
# Fails when an exe imports a DLL statically that is not on Windows' KnownDLLs list.
# Windows resolves other static imports from the exe's own folder first, so a DLL planted
# beside the exe (say in Downloads) would run with the program's administrator rights.
# Anything else must be loaded at run time from System32 (LoadSystemLibrary).
# Exit status: 0 all allowed, 3 a DLL refused, 1 the import table could not be read.
set -eu

exe="$1"
objdump="${OBJDUMP:-x86_64-w64-mingw32-objdump}"

# KnownDLLs of Windows 10/11, lower case. comctl32 is missing from that list on purpose on
# Windows, but the manifest binds it to the side-by-side store, never the exe's folder.
allowed="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll gdiplus.dll imm32.dll kernel32.dll msvcrt.dll
ole32.dll oleaut32.dll psapi.dll rpcrt4.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll
ws2_32.dll combase.dll"

imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | tr -d '\r')
if [ -z "$imports" ]; then
  echo "no import table read from $exe" >&2
  exit 1
fi

status=0
for dll in $imports; do
  case " $(echo $allowed) " in
    *" $dll "*) echo "ok      $dll" ;;
    *) echo "REFUSED $dll: not a KnownDLL; load it with LoadSystemLibrary instead" >&2; status=3 ;;
  esac
done
exit $status

#!/bin/bash
# Fails when a Windows program imports a DLL that a bare Windows machine does
# not have (the MinGW runtime's libstdc++, libgcc, libwinpthread, ...): such a
# program would not start there.
# Usage: check-imports.sh OBJDUMP PROGRAM.exe
set -eu

objdump=$1
program=$2

if ! dump=$("$objdump" -p "$program"); then
    echo "cannot read the imports of $program" >&2
    exit 1
fi
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr -d '\r')
if [ -z "$imports" ]; then
    echo "$program lists no imported DLLs at all; is it a Windows program?" >&2
    exit 1
fi

status=0
while read -r dll; do
    case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | comctl32.dll | advapi32.dll | \
        shell32.dll | shlwapi.dll | ole32.dll | oleaut32.dll | version.dll | msvcrt.dll | \
        ucrtbase.dll | api-ms-win-*.dll)
            echo "system DLL: $dll" ;;
        *)
            echo "NOT a Windows system DLL: $dll (link it statically)" >&2
            status=1 ;;
    esac
done <<<"$imports"
exit $status

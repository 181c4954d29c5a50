#!/usr/bin/env bash
# Checks that each Windows program given imports only DLLs that the system
# always takes from its own folder, so that no DLL lying beside the program
# can be loaded in place of a system one. Exit 0: all fine; 1: a DLL outside
# the list; 77: a program is missing (not built here).
# Usage: scripts/check/check-imports.sh PROGRAM.exe...
# The list is scripts/check/system-dlls.txt, which the start-up safety test reads too.
set -u
allowed=" $(tr '\n' ' ' < "$(dirname "$0")/system-dlls.txt") "
rc=0
for exe in "$@"; do
  if [ ! -f "$exe" ]; then echo "missing: $exe"; exit 77; fi
  objdump=x86_64-w64-mingw32-objdump
  if i686-w64-mingw32-objdump -f "$exe" 2>/dev/null | grep -q 'file format pei-i386'; then
    objdump=i686-w64-mingw32-objdump
  fi
  dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  if [ -z "$dlls" ]; then echo "$exe: no imports found"; rc=1; continue; fi
  for dll in $dlls; do
    case "$allowed" in
      *" $dll "*) ;;
      *) echo "$exe imports $dll, which may be found beside it"; rc=1 ;;
    esac
  done
  [ $rc = 0 ] && echo "$exe: $(echo $dlls)"
done
exit $rc

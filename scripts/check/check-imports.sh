#!/usr/bin/env bash
# Checks that each Windows program given imports only DLLs that the system
# always takes from its own folder, so that no DLL lying beside the program
# can be loaded in place of a system one, and only functions that Windows 7
# SP1, the oldest system it runs on, already has: on an older set the loader
# would refuse the program with a bare "entry point not found". Exit 0: all
# fine; 1: a DLL or a function outside the lists; 77: a program is missing
# (not built here).
# Usage: scripts/check/check-imports.sh PROGRAM.exe...
# The DLLs are scripts/check/system-dlls.txt, which the start-up safety test
# reads too; the functions scripts/check/win7-imports.txt.
set -u
export LC_ALL=C  # one order for sort and comm
here=$(dirname "$0")
allowed=" $(tr '\n' ' ' < "$here/system-dlls.txt") "
known=$(grep -v -e '^#' -e '^$' "$here/win7-imports.txt" | sort -u)
rc=0
for exe in "$@"; do
  if [ ! -f "$exe" ]; then echo "missing: $exe"; exit 77; fi
  objdump=x86_64-w64-mingw32-objdump
  if i686-w64-mingw32-objdump -f "$exe" 2>/dev/null | grep -q 'file format pei-i386'; then
    objdump=i686-w64-mingw32-objdump
  fi
  table=$("$objdump" -p "$exe")
  dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$table" | tr 'A-Z' 'a-z' | sort -u)
  if [ -z "$dlls" ]; then echo "$exe: no imports found"; rc=1; continue; fi
  bad=0
  for dll in $dlls; do
    case "$allowed" in
      *" $dll "*) ;;
      *) echo "$exe imports $dll, which may be found beside it"; bad=1 ;;
    esac
  done
  # "DLL function" for every function imported by name; one by ordinal shows
  # as its number, which no list line matches.
  functions=$(awk '/DLL Name:/ {dll = tolower($3); next}
                   /^[[:space:]]*$/ {dll = ""}
                   dll && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print dll, (NF >= 3 ? $3 : "#" $2)}' <<<"$table" |
               sort -u)
  if [ -z "$functions" ]; then echo "$exe: no imported functions found"; rc=1; continue; fi
  unknown=$(comm -23 <(echo "$functions") <(echo "$known"))
  for f in $(tr ' ' ':' <<<"$unknown"); do
    echo "$exe imports ${f#*:} from ${f%%:*}, which is not on scripts/check/win7-imports.txt: look up" \
         "the oldest Windows that has it; add it there if that is Windows 7 SP1 or older, otherwise" \
         "look it up at run time with a way round (base::SystemFunction)"
    bad=1
  done
  if [ $bad = 0 ]; then
    echo "$exe: $(echo $dlls); $(wc -l <<<"$functions") functions, all known on Windows 7 SP1"
  else
    rc=1
  fi
done
exit $rc

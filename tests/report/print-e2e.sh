#!/usr/bin/env bash
# End to end on the real spooler: runs the print job of the licence through
# Wine into the default printer (a PDF queue, see scripts/setup/cups-setup.sh) and
# checks the PDF that comes out.
# Usage: print-e2e.sh <print_e2e.exe> print|cancel
set -u
exe=$1 mode=$2
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
outdir=${VEL_CUPS_PDF_DIR:-/tmp/vel-cups-pdf}
wait_s=${VEL_PRINT_WAIT:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

lpstat -d 2>/dev/null | grep -q 'VelPDF' || {
  echo "print-e2e: the default printer is not VelPDF (run scripts/setup/cups-setup.sh as root)"; exit 1; }
ls -1 "$outdir" >"$work/before" 2>/dev/null || true
newest() { ls -1 "$outdir" 2>/dev/null | grep -vxF -f "$work/before" | grep '\.pdf$' | head -1; }

case $mode in
print)
  "$src/scripts/wine/wine-run" "$exe" print "Z:$work/expected.txt" >"$work/log"
  rc=$?; cat "$work/log"
  [ $rc = 0 ] || { echo "print-e2e: the job failed ($rc)"; exit 1; }
  start=$(awk '/^start / {print $2}' "$work/log" | tr -d '\r')
  pdf= size=
  for _ in $(seq $((wait_s * 10))); do
    pdf=$(newest)
    if [ -n "$pdf" ]; then
      # cups-pdf writes the file in place: wait until its size settles.
      s=$(stat -c %s "$outdir/$pdf"); [ -n "$size" ] && [ "$s" = "$size" ] && [ "$s" -gt 0 ] && break
      size=$s
    fi
    sleep 0.1
  done
  [ -n "$pdf" ] || { echo "print-e2e: no PDF in $outdir after $wait_s s"; exit 1; }
  done_ms=$(LC_ALL=C stat -c %.3Y "$outdir/$pdf" | tr -d .)  # a decimal comma elsewhere
  echo "print-e2e: $pdf, about $(( ($(date +%s%3N) - start) )) ms after the job started (file time $(( done_ms - start )) ms)"
  title=$(pdfinfo "$outdir/$pdf" | sed -n 's/^Title: *//p')
  [ "$title" = "Wydruk licencji" ] || { echo "print-e2e: title: expected 'Wydruk licencji', actual '$title'"; exit 1; }
  bash "$here/check-pdf.sh" "$outdir/$pdf" "$work/expected.txt" 2 108
  ;;
cancel)
  "$src/scripts/wine/wine-run" "$exe" cancel >"$work/log"
  rc=$?; cat "$work/log"
  [ $rc = 0 ] || { echo "print-e2e: expected the job to end cancelled ($rc)"; exit 1; }
  sleep 5
  pdf=$(newest)
  [ -z "$pdf" ] || { echo "print-e2e: a cancelled job printed $pdf"; exit 1; }
  jobs=$(lpstat -o VelPDF 2>/dev/null)
  [ -z "$jobs" ] || { echo "print-e2e: jobs waiting after Cancel: $jobs"; exit 1; }
  echo "print-e2e: nothing printed after Cancel"
  ;;
*) echo "usage: print-e2e.sh <exe> print|cancel"; exit 2 ;;
esac

#!/usr/bin/env bash
# Makes a PDF printer, VelPDF, the default printer of the local CUPS, for the
# printing tests: each job becomes a PDF in $VEL_CUPS_PDF_DIR, named after the
# job's title. Run as root; idempotent and quick when everything is in place.
set -eu
out=${VEL_CUPS_PDF_DIR:-/tmp/vel-cups-pdf}
conf=/etc/cups/cups-pdf.conf
queue=VelPDF

mkdir -p "$out"
chmod 1777 "$out"

# Output into one folder every test user can read, named by the spooler's title.
want="Out $out
AnonDirName $out
UserUMask 0022
TitlePref 1"
if [ -f "$conf" ] && [ "$(grep -E '^(Out|AnonDirName|UserUMask|TitlePref) ' "$conf" || true)" != "$want" ]; then
  sed -i -E '/^(Out|AnonDirName|UserUMask|TitlePref) /d' "$conf"
  printf '%s\n' "$want" >>"$conf"
fi

# No init system here: start the scheduler directly (it forks into the background).
if ! lpstat -r >/dev/null 2>&1 || lpstat -r 2>&1 | grep -q 'not running'; then
  cupsd
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
fi

if ! lpstat -p "$queue" >/dev/null 2>&1; then
  ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt\.ppd/ {print $1; exit}')
  [ -n "$ppd" ] || ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
  lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd"
fi
if [ "$(lpstat -d 2>/dev/null | sed 's/.*: //')" != "$queue" ]; then
  lpadmin -d "$queue"
fi
cupsenable "$queue" 2>/dev/null || true
cupsaccept "$queue" 2>/dev/null || true

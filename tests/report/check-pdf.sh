#!/usr/bin/env bash
# Checks a printed PDF against the text that was printed.
# Usage: check-pdf.sh <pdf> <expected-words-file> [min-pages] [column-left-pt]
#   expected-words-file: the printed text, one word a line, in order
#   min-pages: the PDF must have at least this many pages (1)
#   column-left-pt: the leftmost text on every page starts here, +/- 4 pt (108 = 1.5 inch)
# Every word must lie on the sheet, clear of its edges.
set -u
pdf=$1 expected=$2 minpages=${3:-1} left=${4:-108}
fail=0
say() { echo "check-pdf: $*"; }

pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
if [ "${pages:-0}" -lt "$minpages" ]; then say "pages: expected at least $minpages, actual ${pages:-none}"; fail=1; fi

actual=$(mktemp)
pdftotext -enc UTF-8 "$pdf" - | tr -s ' \t\r\n\f' '\n\n\n\n\n' | sed '/^$/d' >"$actual"
if ! cmp -s "$expected" "$actual"; then
  say "text differs from the expected words (expected < > actual):"
  diff "$expected" "$actual" | head -20
  fail=1
fi
rm -f "$actual"

# Per page: the leftmost word, and every word inside the sheet. The numbers
# have decimal points, which awk under a Polish locale cuts off.
pdftotext -bbox "$pdf" - | LC_ALL=C awk -v left="$left" '
  function attr(name,   m) { if (match($0, name "=\"[-0-9.]+\"")) { m = substr($0, RSTART, RLENGTH); gsub(/[^-0-9.]/, "", m); return m + 0 } return -1 }
  /<page / { page++; w = attr("width"); h = attr("height"); minx[page] = 1e9 }
  /<word / {
    x0 = attr("xMin"); x1 = attr("xMax"); y0 = attr("yMin"); y1 = attr("yMax")
    if (x0 < minx[page]) minx[page] = x0
    if (x0 < 18 || y0 < 18 || x1 > w - 9 || y1 > h - 18) { print "check-pdf: page " page ": word at " x0 "," y0 "-" x1 "," y1 " touches the edge of a " w "x" h " sheet"; bad = 1 }
  }
  END {
    for (p = 1; p <= page; p++) {
      if (minx[p] == 1e9) continue
      d = minx[p] - left; if (d < 0) d = -d
      if (d > 4) { print "check-pdf: page " p ": text column starts at " minx[p] " pt, expected " left " +/- 4"; bad = 1 }
      else print "check-pdf: page " p ": text column starts at " minx[p] " pt"
    }
    exit bad
  }' || fail=1
[ $fail = 0 ] && say "ok: $pages page(s), $(wc -l <"$expected") words in order"
exit $fail

#!/usr/bin/env bash
# Writes a document of several thousand pages for the benchmarks.
#   bench/make_big_pdf.sh OUT.pdf [pages]      (default 6000 pages)
#   bench/make_big_pdf.sh --outline-only FILE.pdf   (only gives FILE its outline)
# Real PDFs found under /usr/share (their tables of contents link between pages), or a
# generated one with links when there are none, concatenated with qpdf, then given an outline.
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The concatenation loses the sources' bookmarks: the document gets an outline of its own,
# added by mutool as an incremental update (a chapter every 20 pages, open and closed in
# turn, each with four sections, every other section with two subsections).
add_outline() { # file
  cat > "$work/outline.js" <<'EOF'
var doc = new PDFDocument(scriptArgs[0]);
var n = doc.countPages();
var it = doc.outlineIterator();
function add(title, page, open) { it.insert({title: title, uri: "#page=" + (page + 1), open: open}); it.prev(); }
for (var ch = 0; ch * 20 < n; ++ch) {
  var p = ch * 20;
  add("Chapter " + (ch + 1), p, ch % 2 == 0);
  it.down();
  for (var s = 0; s < 4 && p + s * 5 < n; ++s) {
    add("Section " + (ch + 1) + "." + (s + 1), p + s * 5, s % 2 == 0);
    if (s % 2 == 0) {
      it.down();
      add("Subsection " + (ch + 1) + "." + (s + 1) + ".1", p + s * 5, false); it.next();
      add("Subsection " + (ch + 1) + "." + (s + 1) + ".2", Math.min(n - 1, p + s * 5 + 2), false); it.next();
      it.up();
    }
    it.next();
  }
  it.up();
  it.next();
}
doc.save(scriptArgs[0], "incremental");
EOF
  mutool run "$work/outline.js" "$1"
}
if [ "${1:-}" = --outline-only ]; then
  add_outline "$2"
  exit
fi
big="$1"
target_pages="${2:-6000}"

# Sources: every readable PDF under /usr/share, else a generated one with links.
mapfile -t sources < <(find /usr/share -name '*.pdf' -size +8k 2>/dev/null | sort | while read -r f; do
  qpdf --check "$f" >/dev/null 2>&1 && echo "$f"; done || true)
if [ "${#sources[@]}" -eq 0 ]; then
  gen="$work/gen.pdf"
  {
    echo "%PDF-1.4"
    echo "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj"
    kids=""; for i in $(seq 0 49); do kids="$kids $((3 + i * 2)) 0 R"; done
    echo "2 0 obj << /Type /Pages /Count 50 /Kids [$kids ] /MediaBox [0 0 612 792] >> endobj"
    for i in $(seq 0 49); do
      p=$((3 + i * 2)); c=$((p + 1)); next=$((3 + ((i + 1) % 50) * 2))
      echo "$p 0 obj << /Type /Page /Parent 2 0 R /Contents $c 0 R /Annots [<< /Type /Annot /Subtype /Link /Rect [72 72 300 100] /Dest [$next 0 R /Fit] >>] >> endobj"
      s="BT /F1 24 Tf 72 700 Td (Page $((i + 1))) Tj ET"
      echo "$c 0 obj << /Length ${#s} >> stream"; echo "$s"; echo "endstream endobj"
    done
    echo "trailer << /Root 1 0 R /Size 103 >>"
  } > "$gen.raw"
  qpdf "$gen.raw" "$gen" 2>/dev/null || mutool clean "$gen.raw" "$gen"
  sources=("$gen")
fi

# Each copy is a file of its own so that qpdf copies its pages rather than sharing them.
args=(); pages=0; n=0
while [ "$pages" -lt "$target_pages" ]; do
  for f in "${sources[@]}"; do
    n=$((n + 1)); cp "$f" "$work/src$n.pdf"; args+=("$work/src$n.pdf")
    pages=$((pages + $(qpdf --show-npages "$f")))
    [ "$pages" -ge "$target_pages" ] && break
  done
done
qpdf --empty --pages "${args[@]}" -- "$big"
rm -f "$work"/src*.pdf
add_outline "$big"

echo "document: $(qpdf --show-npages "$big") pages, $(du -h "$big" | cut -f1), from ${#sources[@]} source file(s)," \
  "$(mutool show "$big" outline | wc -l) bookmarks"

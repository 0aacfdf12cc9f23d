#!/usr/bin/env bash
# Writes a manual as LaTeX with hyperref makes them: its bookmarks reach their pages through
# named destinations, looked up in the catalog's /Names /Dests tree.
#   bench/make_manual_pdf.sh OUT.pdf [pages] [bookmarks]      (default 983 pages, 5168 bookmarks)
# The pages are the first ones of the big benchmark document (bench/make_big_pdf.sh).
set -euo pipefail
out="$1"
pages="${2:-983}"
marks="${3:-5168}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

here="$(dirname "$0")"
"$here/make_big_pdf.sh" "$work/big.pdf" "$pages" >/dev/null
# Taking the pages drops the big document's outline: the manual gets only its own.
qpdf --empty --pages "$work/big.pdf" "1-$pages" -- "$out"

# Bookmark k points to page k * pages / marks, so they spread evenly in page order, four
# levels deep; each has a name such as "subsection.3.2.1". Half point to their name with /Dest, half with a GoTo action, as
# hyperref writes both. The name tree is balanced, with Limits on every node but the root.
cat > "$work/manual.js" <<'EOF'
var doc = new PDFDocument(scriptArgs[0]);
var pages = doc.countPages(), marks = parseInt(scriptArgs[1]);
var kinds = ["chapter", "section", "subsection", "subsubsection"];
var numbers = [0, 0, 0, 0], names = [];
// Each node keeps its last child and count here, not read back from the PDF.
var root = {obj: doc.addObject(doc.newDictionary()), last: null, count: 0};
root.obj.put("Type", doc.newName("Outlines"));
var parents = [root];
// Forty bookmarks a chapter: three sections of three subsections of three subsubsections.
function level(k) {
  var j = k % 40, m = (j - 1) % 13;
  return j == 0 ? 0 : m == 0 ? 1 : (m - 1) % 4 == 0 ? 2 : 3;
}
function append(parent, item) {
  item.obj.put("Parent", parent.obj);
  if (parent.last === null) parent.obj.put("First", item.obj);
  else { parent.last.obj.put("Next", item.obj); item.obj.put("Prev", parent.last.obj); }
  parent.obj.put("Last", item.obj);
  parent.last = item;
  // All closed: a closed item counts its children negatively, the root its visible items.
  parent.count += parent === root ? 1 : -1;
  parent.obj.put("Count", parent.count);
}
for (var k = 0; k < marks; ++k) {
  var l = level(k);
  numbers[l] += 1;
  for (var d = l + 1; d < 4; ++d) numbers[d] = 0;
  var number = numbers.slice(0, l + 1).join(".");
  var name = kinds[l] + "." + number;
  var page = Math.floor(k * pages / marks);
  names.push([name, doc.newArray()]);
  var dest = names[names.length - 1][1];
  dest.push(doc.findPage(page)); dest.push(doc.newName("XYZ"));
  dest.push(72); dest.push(720); dest.push(doc.newNull());
  var item = {obj: doc.addObject(doc.newDictionary()), last: null, count: 0};
  item.obj.put("Title", doc.newString(number + " " + kinds[l] + " on page " + (page + 1)));
  if (k % 2 == 0) item.obj.put("Dest", doc.newString(name));
  else {
    var action = doc.newDictionary();
    action.put("S", doc.newName("GoTo")); action.put("D", doc.newString(name));
    item.obj.put("A", action);
  }
  parents.length = Math.min(parents.length, l + 1);
  while (parents.length < l + 1) parents.push(parents[parents.length - 1]);
  append(parents[l], item);
  parents.push(item);
}
names.sort(function (a, b) { return a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0; });
function limits(node, first, last) {
  var l = doc.newArray(); l.push(doc.newString(first)); l.push(doc.newString(last));
  node.put("Limits", l);
}
// Leaves of 32 names, then levels of 32 kids until one node is left: the root.
var row = [];
for (var i = 0; i < names.length; i += 32) {
  var leaf = doc.addObject(doc.newDictionary()), list = doc.newArray();
  var part = names.slice(i, i + 32);
  part.forEach(function (n) { list.push(doc.newString(n[0])); list.push(n[1]); });
  leaf.put("Names", list);
  row.push({node: leaf, first: part[0][0], last: part[part.length - 1][0]});
}
while (row.length > 1) {
  var up = [];
  for (var i = 0; i < row.length; i += 32) {
    var node = doc.addObject(doc.newDictionary()), kids = doc.newArray();
    var part = row.slice(i, i + 32);
    part.forEach(function (n) { limits(n.node, n.first, n.last); kids.push(n.node); });
    node.put("Kids", kids);
    up.push({node: node, first: part[0].first, last: part[part.length - 1].last});
  }
  row = up;
}
var catalog = doc.getTrailer().get("Root");
var dests = doc.newDictionary();
dests.put("Dests", row[0].node);
catalog.put("Names", dests);
catalog.put("Outlines", root.obj);
doc.save(scriptArgs[0], "incremental");
EOF
mutool run "$work/manual.js" "$out" "$marks"
echo "manual: $(qpdf --show-npages "$out") pages, $(du -h "$out" | cut -f1), $(mutool show "$out" outline | wc -l) bookmarks"

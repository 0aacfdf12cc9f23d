#!/usr/bin/env bash
# How far the engine is from its targets: its size, and its time and private memory against
# mutool (or against itself on a document without bookmarks).
#   bench/engine_floor.sh [repetitions] [--engine FILE] [--deb FILE]
#       (default 7 repetitions, build/quirekit.dll, no .deb)
# Each comparison runs its pair in turn (engine, peer, engine, peer ...) and reports the
# medians and the median of the per-pair ratios. Private memory is the peak anonymous memory
# (RssAnon), which leaves out the page cache of the mapped document; RSS is shown beside it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
reps=7 engine="$here/../build/quirekit.dll" deb=""
while [ $# -gt 0 ]; do
  case $1 in
    --engine) engine="$2"; shift 2;;
    --deb) deb="$2"; shift 2;;
    *) reps="$1"; shift;;
  esac
done
fail() { echo "engine_floor: $*" >&2; exit 1; }
[ -x "$engine" ] || fail "no engine at $engine (build first)"
[ "$reps" -ge 1 ] 2>/dev/null || fail "repetitions must be a number, not $reps"
for tool in mutool qpdf strip; do command -v "$tool" >/dev/null || fail "$tool is missing"; done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The helper beside the engine comes from the build; without one, it is compiled here.
peak="$(dirname "$engine")/quirewright_peak_memory"
if [ ! -x "$peak" ]; then
  peak="$work/peak_memory"
  c++ -O2 -std=c++20 -o "$peak" "$here/peak_memory.cpp"
fi

# Documents: the big one cut to a round page count so the split has equal parts, the same
# without bookmarks, the manual, and five copies of the big one joined (each copy a file of
# its own, so that qpdf copies the pages rather than sharing them), given an outline anew.
pages=6000 parts=20
"$here/make_big_pdf.sh" "$work/made.pdf" "$pages" >/dev/null
plain="$work/plain.pdf" big="$work/big.pdf" manual="$work/manual.pdf" huge="$work/huge.pdf"
qpdf --empty --pages "$work/made.pdf" "1-$pages" -- "$plain"
rm "$work/made.pdf"
cp "$plain" "$big"
"$here/make_big_pdf.sh" --outline-only "$big"
"$here/make_manual_pdf.sh" "$manual" >/dev/null
copies=()
for i in 1 2 3 4 5; do cp "$plain" "$work/copy$i.pdf"; copies+=("$work/copy$i.pdf" 1-z); done
# As joined it keeps the page labels but no bookmarks; a copy is given the outline again.
joined="$work/joined.pdf"
qpdf --empty --pages "${copies[@]}" -- "$joined"
rm "$work"/copy?.pdf
cp "$joined" "$huge"
"$here/make_big_pdf.sh" --outline-only "$huge"
echo "engine: $engine"
for doc in "$big" "$plain" "$manual" "$joined" "$huge"; do
  echo "$(basename "$doc"): $(qpdf --show-npages "$doc") pages, $(du -h "$doc" | cut -f1)," \
    "$(mutool show "$doc" outline | wc -l) bookmarks"
done

# Runs a command under the memory helper, which leaves "private_kB rss_kB" in $work/peak.
probe() {
  "$peak" "$work/peak" "$@" >/dev/null 2>"$work/err" || fail "failed: $* ($(head -c 500 "$work/err"))"
}
# Times a command; appends "seconds private_kB rss_kB" to $work/NAME (zeros if not probed).
timed() { # name command...
  local name="$1"; shift
  echo "0 0" > "$work/peak"
  local start=$EPOCHREALTIME
  "$@"
  local end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(cat "$work/peak")" >> "$work/$name"
}
pages_are() { # file count
  local n; n="$(qpdf --show-npages "$1")"
  [ "$n" = "$2" ] || fail "$1 has $n pages, not $2"
}
cat_pair() { # name document first last ; the parts stay as $work/NAME.engine.pdf and .peer.pdf
  timed "$1.engine" probe "$engine" "A=$2" cat "A$3-$4" output "$work/$1.engine.pdf"
  timed "$1.peer" probe mutool merge -o "$work/$1.peer.pdf" "$2" "$3-$4"
  pages_are "$work/$1.engine.pdf" $(($4 - $3 + 1))
  pages_are "$work/$1.peer.pdf" $(($4 - $3 + 1))
}
split_all() { # document folder
  local size=$((pages / parts)) part
  for part in $(seq 1 "$parts"); do
    "$engine" "A=$1" cat "A$(((part - 1) * size + 1))-$((part * size))" output "$2/$part.pdf" >/dev/null \
      || fail "part $part of $1 failed"
  done
}
split_pair() { # the engine's side has the bookmarks, the peer's none
  local side doc part
  for side in engine peer; do
    doc="$big"; [ "$side" = engine ] || doc="$plain"
    rm -rf "$work/split" && mkdir "$work/split"
    timed "split.$side" split_all "$doc" "$work/split"
    for part in $(seq 1 "$parts"); do pages_are "$work/split/$part.pdf" $((pages / parts)); done
  done
}
dump_pair() { # name document
  timed "$1.engine" probe "$engine" "$2" dump_data output "$work/$1.txt"
  timed "$1.peer" probe mutool show "$2" trailer
}

for r in $(seq 1 "$reps"); do
  echo "repetition $r of $reps"
  cat_pair whole "$big" 1 "$pages"
  cat_pair half "$big" 1 3000
  cat_pair ten "$big" 500 509
  cat_pair manual "$manual" 500 509
  split_pair
  dump_pair joined "$joined"
  dump_pair dump "$huge"
done

# The manual's part must keep every bookmark that points into it; the report's count of
# those is checked against mutool's reading of the named destinations.
"$engine" "$manual" dump_data output "$work/manual.txt"
wanted="$(awk '/^BookmarkPageNumber: / && $2 >= 500 && $2 <= 509' "$work/manual.txt" | wc -l)"
resolved="$(mutool show "$manual" outline | grep -o '#page=[0-9]*' | awk -F= '$2 >= 500 && $2 <= 509' | wc -l)"
kept="$(mutool show "$work/manual.engine.pdf" outline | wc -l)"
echo "manual: $(grep -c '^BookmarkBegin' "$work/manual.txt") bookmarks in its report, $wanted on pages 500-509"
echo "dump_data of $(basename "$huge"): first line \"$(head -n 1 "$work/dump.txt")\""

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
col() { cut -d' ' -f"$2" "$work/$1" | median; } # name column
ratio() { # name column ; median of the per-pair ratios
  paste -d' ' "$work/$1.engine" "$work/$1.peer" | awk -v c="$2" '{ print (($(c + 3) > 0) ? $c / $(c + 3) : 0) }' | median
}
row() { # measure engine peer ratio target ; a target of "-" is only shown
  local verdict=""
  [ "$5" = - ] || verdict="$(awk -v r="$4" -v t="$5" 'BEGIN { print (r + 0 <= t + 0) ? "ok" : "over" }')"
  printf '%-42s %12s %12s %8s %8s  %s\n' "$1" "$2" "$3" "$4" "$5" "$verdict"
}
seconds() { awk -v s="$(col "$1" 1)" 'BEGIN { printf "%.3f s", s }'; }
megabytes() { awk -v k="$(col "$1" "$2")" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }
fixed() { awk -v v="$1" 'BEGIN { printf "%.3f", v }'; }
timings() { # name label target
  row "$2 time" "$(seconds "$1.engine")" "$(seconds "$1.peer")" "$(fixed "$(ratio "$1" 1)")" "$3"
}
memories() { # name label [private target]
  row "$2 private" "$(megabytes "$1.engine" 2)" "$(megabytes "$1.peer" 2)" "$(fixed "$(ratio "$1" 2)")" "${3:-1.0}"
  row "$2 peak RSS" "$(megabytes "$1.engine" 3)" "$(megabytes "$1.peer" 3)" "$(fixed "$(ratio "$1" 3)")" -
}
# A count the engine must reach: the verdict is "ok" or "over" as elsewhere.
count_row() { # measure engine peer at_least
  printf '%-42s %12s %12s %8s %8s  %s\n' "$1" "$2" "$3" - ">= $4" "$( [ "$2" -ge "$4" ] && echo ok || echo over)"
}
size_row() { # label bytes target_MB ; the ratio column holds the megabytes
  row "$1" "$(awk -v b="$2" 'BEGIN { printf "%.2f MB", b / 1e6 }')" - "$(awk -v b="$2" 'BEGIN { printf "%.3f", b / 1e6 }')" "$3"
}

strip -o "$work/stripped" "$engine"
echo
printf '%-42s %12s %12s %8s %8s  %s\n' measure engine peer ratio target ""
size_row "stripped engine (MB)" "$(stat -c %s "$work/stripped")" 5
if [ -n "$deb" ]; then
  size_row ".deb (MB)" "$(stat -c %s "$deb")" 6
else
  printf '%-42s %12s\n' ".deb (MB)" "no .deb given"
fi
timings whole "cat 1-$pages vs merge" 0.18
memories whole "cat 1-$pages"
timings half "cat 1-3000 vs merge" 0.35
memories half "cat 1-3000"
timings ten "cat 500-509 vs merge" -
memories ten "cat 500-509"
timings manual "manual 500-509 vs merge" 0.25
memories manual "manual 500-509"
count_row "manual bookmarks on 500-509" "$wanted" "$resolved" "$resolved"
count_row "manual 500-509 part's bookmarks" "$kept" "$(mutool show "$work/manual.peer.pdf" outline | wc -l)" "$wanted"
timings split "$parts parts, bookmarks vs none" 1.15
timings joined "dump_data (joined) vs show trailer" 1.5
memories joined "dump_data (joined) vs show trailer" -
count_row "dump_data (joined) PageLabelBegin lines" "$(grep -c '^PageLabelBegin' "$work/joined.txt")" - 1
timings dump "dump_data (outline) vs show trailer" 1.5
memories dump "dump_data (outline) vs show trailer" -
count_row "dump_data (outline) BookmarkBegin lines" "$(grep -c '^BookmarkBegin' "$work/dump.txt")" - 1
count_row "dump_data (outline) PageLabelBegin lines" "$(grep -c '^PageLabelBegin' "$work/dump.txt")" - 1
echo "(median of $reps repetitions; ratio = engine / peer, the median of the per-pair ratios)"

#!/usr/bin/env bash
# The thumbnail grid beside PDF Arranger, in one run on one virtual display:
#  1. how soon the first screen of thumbnails of a 6,006-page document is drawn, each program
#     started with the file on its command line, measured from the start of its process by
#     pictures of the screen taken in a loop; pairs (ours, peer, ours, peer ...), medians and
#     the median of the per-pair ratios;
#  2. how late the window's event loop ever is while the grid is scrolled from the first page
#     to the last of a 30,030-page document (build/quirewright_thumbnail_window_bench);
#  3. peak memory: ours on the 30,030-page document (window and engine) against PDF Arranger's
#     on the 6,006-page one, scrolled to its end and left to draw its thumbnails.
#   bench/thumbnails_bench.sh [pairs] [--documents DIR] [--every N] [--peer-wait S]
#     pairs        pairs for 1. (default 7)
#     --documents  where big.pdf (6,006 pages) and big5.pdf (30,030) are, or are made and kept
#                  (default: made in a temporary folder and removed)
#     --every      passed to the window bench: wait for the thumbnails at every Nth screenful
#                  only (default 1, every screenful; the whole scroll then takes minutes)
#     --peer-wait  longest the peer is left to draw after End (default 300 s)
# Installs and builds nothing: it needs the build (build/quirewright, quirekit.dll,
# quirewright_thumbnail_window_bench, quirewright_page_ink) and pdfarranger, Xvfb, xdotool,
# ImageMagick's import, qpdf and mutool. Never run as a test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$here/../build"
pairs=7 documents="" every=1 peer_wait=300
while [ $# -gt 0 ]; do
  case $1 in
    --documents) documents="$2"; shift 2;;
    --every) every="$2"; shift 2;;
    --peer-wait) peer_wait="$2"; shift 2;;
    *) pairs="$1"; shift;;
  esac
done
fail() { echo "thumbnails_bench: $*" >&2; exit 1; }
[ "$pairs" -ge 1 ] 2>/dev/null || fail "pairs must be a number, not $pairs"
missing=()
for tool in pdfarranger Xvfb xdotool import qpdf mutool; do command -v "$tool" >/dev/null || missing+=("$tool"); done
[ ${#missing[@]} -eq 0 ] || fail "missing: ${missing[*]} (Debian: apt-get install pdfarranger xvfb xdotool imagemagick qpdf mupdf-tools)"
for file in quirewright quirekit.dll quirewright_thumbnail_window_bench quirewright_page_ink; do
  [ -x "$build/$file" ] || fail "no $build/$file (build first)"
done
build="$(cd "$build" && pwd)"
ink="$build/quirewright_page_ink"

work="$(mktemp -d)"
xvfb=""
cleanup() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The documents, as bench/engine_floor.sh makes them: the big one cut to the page count, and
# five copies of it joined (each copy a file of its own, so that qpdf copies the pages).
docs="${documents:-$work}"
mkdir -p "$docs"
big="$docs/big.pdf" big5="$docs/big5.pdf"
if [ ! -f "$big" ] || [ "$(qpdf --show-npages "$big")" != 6006 ]; then
  "$here/make_big_pdf.sh" "$work/made.pdf" 6006 >/dev/null
  qpdf --empty --pages "$work/made.pdf" 1-6006 -- "$big"
  rm "$work/made.pdf"
fi
if [ ! -f "$big5" ] || [ "$(qpdf --show-npages "$big5")" != 30030 ]; then
  copies=()
  for i in 1 2 3 4 5; do cp "$big" "$work/copy$i.pdf"; copies+=("$work/copy$i.pdf" 1-z); done
  qpdf --empty --pages "${copies[@]}" -- "$big5"
  rm "$work"/copy?.pdf
fi
echo "documents: $(qpdf --show-npages "$big") and $(qpdf --show-npages "$big5") pages"

# One virtual display, no window manager: each window is placed where it asks to be.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start ($(cat "$work/xvfb.log"))"
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# Each program starts with settings of its own, made afresh: ours with the grid on.
fresh_settings() { # program
  rm -rf "$work/config"
  mkdir -p "$work/config/Ardenne Quirewright"
  [ "$1" = ours ] && printf '[Preview]\nThumbnails=true\n' >"$work/config/Ardenne Quirewright/quirewright.conf"
  return 0
}
start() { # program document ; sets $pid
  fresh_settings "$1"
  if [ "$1" = ours ]; then
    XDG_CONFIG_HOME="$work/config" "$build/quirewright" "$2" >"$work/$1.log" 2>&1 &
  else
    XDG_CONFIG_HOME="$work/config" pdfarranger "$2" >"$work/$1.log" 2>&1 &
  fi
  pid=$!
}
window_of() { # program
  if [ "$1" = ours ]; then xdotool search --name '^Quirewright v' 2>/dev/null | head -n 1 || true
  else xdotool search --name 'PDF Arranger$' 2>/dev/null | head -n 1 || true; fi
}
# Where in its window each program's thumbnails go, as per cent of the window (left top right
# bottom): ours right of the page list and below the tool bar; the peer between its header
# bar and its status bar.
region_of() { if [ "$1" = ours ]; then echo 15 15 100 100; else echo 0 9 100 93; fi; }
stop() { # pid ; the process and the children it started (PDF Arranger has a helper)
  local children
  children="$(pgrep -P "$1" || true)"
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  for child in $children; do kill "$child" 2>/dev/null || true; done
}

# Takes pictures of the program's window from its start until its thumbnails have settled,
# and prints "<first thumbnails s> <screen drawn s> <frame period s>".
# Each picture is scored by quirewright_page_ink: the dark pixels standing on white paper in
# the part of the window where thumbnails go, i.e. the text of drawn pages. Placeholders,
# empty panes, captions and the window's backgrounds score nothing (see page_ink.cpp).
#  - first thumbnails: the first picture scoring at least 150, about one page of text;
#  - screen drawn: the first picture scoring at least 90 % of what the window settles at (the
#    same score in ten pictures running, at least a second), i.e. the first screen complete.
# A time is when the picture that first shows it was begun; the frame period is the
# resolution.
FIRST_INK=150
first_screen() { # program document
  local program="$1" t0 t now id="" geometry="" score last="" same=0 changed=0 frames="$work/frames"
  : >"$frames"
  t0=$EPOCHREALTIME
  start "$program" "$2"
  while :; do
    now=$EPOCHREALTIME
    t="$(awk -v a="$t0" -v b="$now" 'BEGIN { printf "%.3f", b - a }')"
    awk -v t="$t" 'BEGIN { exit !(t > 90) }' && { stop "$pid"; fail "$program: no settled thumbnails in 90 s"; }
    [ -n "$id" ] || id="$(window_of "$program")"
    if [ -z "$id" ]; then sleep 0.005; continue; fi
    geometry="$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    eval "$geometry"
    score="$(import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -depth 8 ppm:- 2>/dev/null \
      | "$ink" $(region_of "$program") 2>/dev/null)" || continue
    echo "$t $score" >>"$frames"
    if [ "$score" = "$last" ]; then same=$((same + 1)); else same=0 changed="$t"; fi
    last="$score"
    if [ "$same" -ge 9 ] && [ "$score" -ge "$FIRST_INK" ] && awk -v t="$t" -v c="$changed" 'BEGIN { exit !(t - c >= 1) }'; then
      break
    fi
  done
  stop "$pid"
  awk -v first="$FIRST_INK" -v settled="$last" '
    { t[NR] = $1; s[NR] = $2 }
    END {
      for (i = 1; i <= NR; ++i) if (s[i] >= first) { a = t[i]; break }
      for (i = 1; i <= NR; ++i) if (s[i] >= 0.9 * settled) { b = t[i]; break }
      printf "%s %s %.3f\n", a, b, (NR > 1) ? (t[NR] - t[1]) / (NR - 1) : 0
    }' "$frames"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
col() { cut -d' ' -f"$2" "$work/$1" | median; }
ratio() { paste -d' ' "$work/ours" "$work/peer" | awk -v c="$1" '{ print ($(c + 3) > 0) ? $c / $(c + 3) : 0 }' | median; }

# 1. The first screen, in pairs; one pair first, not counted, so that both read the file from
# the page cache alike.
cat "$big" >/dev/null
first_screen ours "$big" >/dev/null
first_screen peer "$big" >/dev/null
: >"$work/ours"
: >"$work/peer"
for r in $(seq 1 "$pairs"); do
  first_screen ours "$big" >>"$work/ours"
  first_screen peer "$big" >>"$work/peer"
  echo "pair $r of $pairs: ours $(tail -n 1 "$work/ours"), peer $(tail -n 1 "$work/peer") (first, screen, frame period in s)"
done

# 3, the peer's side: started on the 6,006-page document, its first screen drawn, then End
# pressed (its view goes to the last page), read 10 s later, and again once it has been idle
# for three seconds (it draws every page's thumbnail, not only those on view; at most
# --peer-wait seconds).
# Its peak is the kernel's (VmHWM) of its process plus its helper process's; ours is the
# window's plus the engine's, since both processes are the program's.
cat "$big" >/dev/null
start peer "$big"
peer_pid=$pid
for _ in $(seq 1 200); do id="$(window_of peer)"; [ -n "$id" ] && break; sleep 0.05; done
[ -n "$id" ] || fail "PDF Arranger's window did not appear"
sleep 3
xdotool windowfocus --sync "$id" 2>/dev/null || true
xdotool key --window "$id" End
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hwm() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
anon() { awk '/^RssAnon:/ { print $2 }' "/proc/$1/status"; }
tree_hwm() { local sum=0 p; for p in "$1" $(pgrep -P "$1" || true); do sum=$((sum + $(hwm "$p" || echo 0))); done; echo "$sum"; }
tree_anon() { local sum=0 p; for p in "$1" $(pgrep -P "$1" || true); do sum=$((sum + $(anon "$p" || echo 0))); done; echo "$sum"; }
peer_start=$SECONDS idle=0 before="$(ticks "$peer_pid")" peer_peak=0 peer_main=0 peer_anon=0 peer_early=""
while [ $idle -lt 3 ] && [ $((SECONDS - peer_start)) -lt "$peer_wait" ]; do
  sleep 1
  # Ten seconds after End its last screen is long drawn: the figure the target is judged on,
  # as the smaller and so the stricter of the two.
  [ -n "$peer_early" ] || [ $((SECONDS - peer_start)) -lt 10 ] || peer_early="$(tree_hwm "$peer_pid")"
  now="$(ticks "$peer_pid")"
  if [ "$now" = "$before" ]; then idle=$((idle + 1)); else idle=0; fi
  before="$now"
  peer_peak="$(tree_hwm "$peer_pid")"
  peer_main="$(hwm "$peer_pid")"
  peer_anon="$(($(tree_anon "$peer_pid") > peer_anon ? $(tree_anon "$peer_pid") : peer_anon))"
done
peer_seconds=$((SECONDS - peer_start))
[ -n "$peer_early" ] || peer_early="$peer_peak"
stop "$peer_pid"

# 2 and 3, our side: the real window scrolled through the 30,030-page document.
cat "$big5" >/dev/null
"$build/quirewright_thumbnail_window_bench" "$big5" --every "$every" >"$work/window.log" 2>"$work/window.err" \
  || fail "the window bench failed: $(tail -n 5 "$work/window.err")"
grep -v '^RESULT' "$work/window.log"
result="$(grep '^RESULT' "$work/window.log")"
value() { echo "$result" | tr ' ' '\n' | awk -F= -v k="$1" '$1 == k { print $2 }'; }
ours_sum=$(($(value window_hwm_kb) + $(value engine_hwm_kb)))

echo
printf '%-52s %12s %12s %8s %8s\n' measure ours peer ratio target
seconds() { awk -v s="$1" 'BEGIN { printf "%.3f s", s }'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r + 0 <= t + 0) ? "ok" : "over" }'; }
r2="$(ratio 2)"
printf '%-52s %12s %12s %8.3f %8s  %s\n' "first screen of thumbnails drawn (6,006 pages)" \
  "$(seconds "$(col ours 2)")" "$(seconds "$(col peer 2)")" "$r2" 0.5 "$(verdict "$r2" 0.5)"
printf '%-52s %12s %12s %8.3f %8s\n' "first thumbnails drawn (6,006 pages)" \
  "$(seconds "$(col ours 1)")" "$(seconds "$(col peer 1)")" "$(ratio 1)" -
printf '%-52s %12s %12s\n' "screenshot period (the resolution)" "$(seconds "$(col ours 3)")" "$(seconds "$(col peer 3)")"
printf '%-52s %12s %12s %8s %8s  %s\n' "event loop: worst lateness scrolling 30,030 pages" "$(value worst_ms) ms" - - "50 ms" \
  "$(verdict "$(value worst_ms)" 50)"
printf '%-52s %12s %12s\n' "event loop: 99th percentile lateness" "$(value p99_ms) ms" -
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }
r3="$(awk -v a="$ours_sum" -v b="$peer_early" 'BEGIN { printf "%.3f", a / b }')"
r3idle="$(awk -v a="$ours_sum" -v b="$peer_peak" 'BEGIN { printf "%.3f", a / b }')"
printf '%-52s %12s %12s %8s %8s  %s\n' "peak memory: ours (30,030) window+engine vs peer (6,006)" \
  "$(mib "$ours_sum")" "$(mib "$peer_early")" "$r3" 0.3 "$(verdict "$r3" 0.3)"
printf '%-52s %12s %12s %8s\n' "  the peer once it has drawn every page" "$(mib "$ours_sum")" "$(mib "$peer_peak")" "$r3idle"
printf '%-52s %12s %12s\n' "  of which the window / the peer's main process, last" "$(mib "$(value window_hwm_kb)")" "$(mib "$peer_main")"
printf '%-52s %12s\n' "  of which the engine" "$(mib "$(value engine_hwm_kb)")"
# Private memory (RssAnon, sampled) leaves out mapped files: the engine's reading of a
# 240 MB document is page cache the machine can drop, not memory the program holds.
ours_anon=$(($(value window_anon_kb) + $(value engine_anon_kb)))
printf '%-52s %12s %12s %8s\n' "peak private memory (RssAnon), window+engine vs peer" "$(mib "$ours_anon")" "$(mib "$peer_anon")" \
  "$(awk -v a="$ours_anon" -v b="$peer_anon" 'BEGIN { printf "%.3f", a / b }')"
echo "(first screen: medians of $pairs pairs, ratio = the median of the per-pair ratios; peak memory is the"
echo " kernel's peak RSS, private and shared pages; the peer's first figure is 10 s after End,"
echo " its second when it had been idle for 3 s or $peer_wait s had passed: ${peer_seconds} s after End)"

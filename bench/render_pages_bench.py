#!/usr/bin/env python3
"""Times render_pages: thumbnails of the first N pages of a document, one request at a time
(what a thumbnail costs) and with two in flight (what a client gets), and the engine's peak
resident memory afterwards.
  bench/render_pages_bench.py ENGINE DOCUMENT WIDTH [PAGES]
"""
import subprocess, sys, time

engine, document, width = sys.argv[1], sys.argv[2], int(sys.argv[3])
limit = int(sys.argv[4]) if len(sys.argv) > 4 else None


def start():
    p = subprocess.Popen([engine, document, 'render_pages'], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL)
    ready = p.stdout.readline().split()
    return p, int(ready[1])


def reply(p):
    words = p.stdout.readline().split()
    if words[0] == b'Page':
        p.stdout.read(int(words[4]))
        return True
    return False


def peak(p):
    # VmHWM counts the mapped document's pages (the page cache's, shared); RssAnon is the
    # engine's own memory.
    found = {}
    with open('/proc/%d/status' % p.pid) as status:
        for line in status:
            key = line.split(':')[0]
            if key in ('VmHWM', 'RssAnon', 'RssFile'):
                found[key] = line.split()[1]
    return 'VmHWM %s kB (now RssAnon %s kB, RssFile %s kB)' % (found['VmHWM'], found['RssAnon'], found['RssFile'])


def request(p, page):
    p.stdin.write(b'%d %d\n' % (page, width))
    p.stdin.flush()


t0 = time.perf_counter()
p, count = start()
started = time.perf_counter() - t0
pages = range(1, min(count, limit or count) + 1)
# One at a time: the latency of one thumbnail.
times = []
for page in pages:
    t = time.perf_counter()
    request(p, page)
    reply(p)
    times.append(time.perf_counter() - t)
times.sort()
rss = peak(p)
p.stdin.close()
p.wait()
# Two in flight, as ThumbnailSource keeps them.
p, _ = start()
t = time.perf_counter()
request(p, pages[0])
for i, page in enumerate(pages):
    if i + 1 < len(pages):
        request(p, pages[i + 1])
    reply(p)
flowing = time.perf_counter() - t
p.stdin.close()
p.wait()
n = len(times)
print('%s: %d pages at %d px; ready after %.0f ms; one at a time: mean %.1f ms, median %.1f ms, 95%% %.1f ms, '
      'max %.1f ms; two in flight: %.1f ms a page; peak RSS %s'
      % (document, n, width, started * 1000, 1000 * sum(times) / n, 1000 * times[n // 2],
         1000 * times[int(n * 0.95)], 1000 * times[-1], 1000 * flowing / n, rss))

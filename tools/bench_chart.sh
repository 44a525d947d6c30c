#!/usr/bin/env bash
# Runs gallery_bench and draws its page-write times against the bare listing as a PNG chart.
#
# Usage: tools/bench_chart.sh PATH/TO/gallery_bench OUT.png [more benchmark flags...]
#        tools/bench_chart.sh EARLIER.json OUT.png
# The benchmark's JSON is kept beside the chart as OUT.json, so the figures behind it can be read.
set -euo pipefail

if [[ $# -lt 2 ]]; then
  echo "usage: $0 PATH/TO/gallery_bench|EARLIER.json OUT.png [benchmark flags...]" >&2
  exit 2
fi
bench=$1
out=$2
shift 2
command -v convert >/dev/null || { echo "$0: ImageMagick's convert is needed" >&2; exit 1; }
command -v python3 >/dev/null || { echo "$0: python3 is needed to read the JSON" >&2; exit 1; }

if [[ $bench == *.json ]]; then
  # A JSON report from an earlier run: redraw the chart without measuring again.
  json=$bench
else
  json="${out%.png}.json"
  # The ratios the benchmark prints go to stderr in JSON mode and pass through to the terminal.
  "$bench" --benchmark_format=json "$@" >"$json"
fi

# A scalable font when the system has one; ImageMagick's own default is blurry at small sizes.
font=""
for candidate in /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
                 /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf; do
  if [[ -f $candidate ]]; then font=$candidate; break; fi
done

python3 - "$json" "$out" "$font" <<'PY'
import json, math, subprocess, sys

json_path, out_path, font = sys.argv[1], sys.argv[2], sys.argv[3]
try:
    with open(json_path) as f:
        report = json.load(f)
except ValueError:
    sys.exit("gallery_bench gave no JSON in " + json_path + " (did the filter match nothing?)")

scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
# name -> {N: milliseconds}; with repetitions the median stands for the run.
series = {"BM_WritePage": {}, "BM_BareListing": {}, "BM_TypedListing": {}}
medians = {}
for b in report["benchmarks"]:
    if b.get("error_occurred"):
        continue
    family, _, rest = b["run_name"].partition("/")
    if family not in series:
        continue
    n = int(rest.split("/")[0])
    ms = b["real_time"] * scale[b["time_unit"]]
    if b.get("run_type") == "aggregate":
        if b.get("aggregate_name") == "median":
            medians[(family, n)] = ms
    else:
        series[family].setdefault(n, []).append(ms)
for family in series:
    for n in list(series[family]):
        runs = series[family][n]
        series[family][n] = medians.get((family, n), sum(runs) / len(runs))
    for (fam, n), ms in medians.items():
        if fam == family:
            series[family][n] = ms

sizes = sorted(set(series["BM_WritePage"]) & set(series["BM_BareListing"]))
if not sizes:
    sys.exit("no benchmark pairs in " + json_path)

W, H = 820, 560
left, right, top, bottom = 120, 40, 70, 110
pw, ph = W - left - right, H - top - bottom

# Both axes logarithmic: the sizes span two decades and the times grow with them.
def decade_range(values):
    lo = math.floor(math.log10(min(values)))
    hi = math.ceil(math.log10(max(values)))
    return lo, max(hi, lo + 1)

xlo, xhi = decade_range(sizes)
ylo, yhi = decade_range([v for s in series.values() for v in s.values()])

def px(n):
    return left + (math.log10(n) - xlo) / (xhi - xlo) * pw

def py(ms):
    return top + ph - (math.log10(ms) - ylo) / (yhi - ylo) * ph

def fmt_ms(ms):
    return f"{ms:.0f} ms" if ms >= 100 else f"{ms:.1f} ms" if ms >= 10 else f"{ms:.2f} ms"

def text(x, y, s, size=14, color="black", gravity=None):
    cmd = ["-fill", color, "-stroke", "none", "-pointsize", str(size)]
    if gravity:
        cmd += ["-gravity", gravity]
    cmd += ["-draw", f"text {x:.0f},{y:.0f} '{s}'"]
    if gravity:
        cmd += ["-gravity", "NorthWest"]
    return cmd

args = ["convert", "-size", f"{W}x{H}", "xc:white"]
if font:
    args += ["-font", font]
args += ["-gravity", "NorthWest"]

# Grid: decades of time, and each measured size.
args += ["-stroke", "#dddddd", "-strokewidth", "1", "-fill", "none"]
for e in range(ylo, yhi + 1):
    for m in (1, 2, 5):
        v = m * 10 ** e
        if 10 ** ylo <= v <= 10 ** yhi:
            args += ["-draw", f"line {left},{py(v):.1f} {left + pw},{py(v):.1f}"]
for n in sizes:
    args += ["-draw", f"line {px(n):.1f},{top} {px(n):.1f},{top + ph}"]
args += ["-stroke", "black", "-strokewidth", "1.5",
         "-draw", f"rectangle {left},{top} {left + pw},{top + ph}"]

for e in range(ylo, yhi + 1):
    v = 10 ** e
    label = f"{v:g} ms"
    args += text(left - 8 - 9 * len(label), py(v) - 9, label, 14)
for n in sizes:
    label = f"{n:,}"
    args += text(px(n) - 4.3 * len(label), top + ph + 8, label, 14)

args += text(left + pw / 2 - 170, H - 62, "card folders in the set (N, log scale)", 16)
args += ["-fill", "black", "-stroke", "none", "-pointsize", "16",
         "-draw", f"translate 26,{top + ph / 2 + 110} rotate -90 text 0,0 'real time per page (log scale)'"]
args += text(left, 22, "Gallery page write vs. bare listing (readdir + stat)", 20)

colors = {"BM_WritePage": "#d62728", "BM_BareListing": "#1f77b4", "BM_TypedListing": "#7f7f7f"}
names = {"BM_WritePage": "page write (Command1_Click)", "BM_BareListing": "bare listing: readdir + stat",
         "BM_TypedListing": "typed listing: readdir only"}
# The typed listing is optional: older reports do not have it.
drawn = [f for f in ("BM_TypedListing", "BM_BareListing", "BM_WritePage")
         if all(n in series[f] for n in sizes)]
for family in drawn:
    pts = [(px(n), py(series[family][n])) for n in sizes]
    c = colors[family]
    # Separate segments: ImageMagick's polyline draws stray hairlines at the joins.
    args += ["-stroke", c, "-strokewidth", "3", "-fill", "none"]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        args += ["-draw", f"line {x0:.1f},{y0:.1f} {x1:.1f},{y1:.1f}"]
    for (x, y), n in zip(pts, sizes):
        args += ["-stroke", c, "-fill", c, "-draw", f"circle {x:.1f},{y:.1f} {x + 5:.1f},{y:.1f}"]
        v = fmt_ms(series[family][n])
        width = 8 * len(v)
        # The bare listing runs above the others, so its labels go above its points and the
        # rest below theirs; right of the point, except at the plot's right edge.
        lx_ = x - width - 8 if n == sizes[-1] else x + 8
        ly_ = y - 28 if family == "BM_BareListing" else y + (16 if n == sizes[-1] else 10)
        args += text(lx_, ly_, v, 14, c)

# Ratios under the axis, one per size.
for n in sizes:
    r = series["BM_WritePage"][n] / series["BM_BareListing"][n]
    label = f"ratio {r:.2f}"
    args += text(px(n) - 4.2 * len(label), top + ph + 28, label, 13, "#d62728" if r > 1.5 else "#2ca02c")

# Legend in the upper left, where the lines start low.
lx, ly = left + 14, top + 14
args += ["-stroke", "#999999", "-strokewidth", "1", "-fill", "white",
         "-draw", f"rectangle {lx},{ly} {lx + 290},{ly + 10 + 24 * len(drawn)}"]
for i, family in enumerate(f for f in ("BM_WritePage", "BM_BareListing", "BM_TypedListing") if f in drawn):
    yy = ly + 18 + i * 24
    c = colors[family]
    args += ["-stroke", c, "-strokewidth", "3", "-draw", f"line {lx + 10},{yy} {lx + 40},{yy}"]
    args += text(lx + 50, yy - 9, names[family], 14)
args += text(left, H - 32, "goal: ratio <= 1.5", 13, "#555555")

args.append(out_path)
subprocess.run(args, check=True)
print("chart written to", out_path)
PY

#!/usr/bin/env bash
# Builds the benchmarks, runs them side by side with their peers (the grab benchmark under
# an Xvfb of its own) and prints one table of medians: ours, the plain reference scan, the
# peer, and the ratios against the goals. The machine is shared: run it when it is quiet,
# and more than once; the grab's real time suffers most from other load.
#
#   bench/run.sh                  REPETITIONS=5 (default 3), BUILD_DIR=... (default build/bench)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
repetitions=${REPETITIONS:-3}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DPILGROVE_BENCH=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target pilgrove_bench pilgrove_grab_bench >/dev/null

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
options=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true)
"$build/bench/pilgrove_bench" "${options[@]}" --benchmark_out="$results/scan.json" \
  --benchmark_out_format=json >&2
xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bench/pilgrove_grab_bench" "${options[@]}" \
  --benchmark_out="$results/grab.json" --benchmark_out_format=json >&2

python3 - "$results/scan.json" "$results/grab.json" <<'PY'
import json
import statistics
import sys

medians = {}
spreads = {}
runs = {}
errors = []
# The scans run on this thread alone: their CPU time is what a busy machine disturbs least.
# The grab waits on the X server, another process: its time is real time.
for path, field in zip(sys.argv[1:], ("cpu_time", "real_time")):
    for b in json.load(open(path))["benchmarks"]:
        name = b["run_name"].removesuffix("/real_time")
        if b.get("error_occurred"):
            errors.append(f"{name}: {b.get('error_message')}")
        unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        if b.get("aggregate_name") == "median":
            medians[name] = b[field] * unit
        elif b.get("aggregate_name") == "cv":  # a fraction, whatever the time unit
            spreads[name] = b[field]
        elif b.get("run_type") == "iteration":  # a single repetition has no aggregates
            runs.setdefault(name, []).append(b[field] * unit)
for name, values in runs.items():
    medians.setdefault(name, statistics.median(values))

def ms(value):
    return "-" if value is None else f"{value:.3g}"

rows = []
for name in sorted(medians):
    if not name.endswith("/ours"):
        continue
    group, case, comparison, _ = name.split("/")
    base = f"{group}/{case}/{comparison}"
    ours = medians[name]
    reference = medians.get(base + "/reference")
    if group == "Picture":
        # OpenCV has no tolerance: its one search is the peer of both comparisons.
        peer = medians.get(f"{group}/{case}/Exact/peer")
        need = 4 if case == "Desktop" else 50
        versus_peer = peer / ours
        goal = f">= {need}x ref, >= 100x peer"
        met = reference / ours >= need and versus_peer >= 100
        peer_text = f"{versus_peer:.0f}x faster"
    elif group == "Colour":
        peer = medians.get(base + "/peer")
        goal = "<= 1.5x memcpy"
        met = ours / peer <= 1.5
        peer_text = f"{ours / peer:.2f}x its time"
    else:
        peer = medians.get("Grab/Screen/Raw/peer")
        goal = "<= 2x raw XShmGetImage"
        met = ours / peer <= 2
        peer_text = f"{ours / peer:.2f}x its time"
        if case == "Screen":
            # The grab without a search: where a search's time goes, not a goal of its own.
            goal, met = "- (grab alone)", None
    ref_text = "-" if reference is None else f"{reference / ours:.1f}x faster"
    spread = f"{100 * spreads[name]:.0f}%" if name in spreads else "-"
    rows.append((base, ms(ours), spread, ms(reference), ms(peer), ref_text, peer_text, goal,
                 "-" if met is None else "yes" if met else "NO"))

header = ("case", "ours ms", "ours cv", "reference ms", "peer ms", "ours vs reference",
          "ours vs peer", "goal", "met")
widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
def line(r):
    return "| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |"
print(line(header))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows:
    print(line(r))
print("\nPeers: Picture = OpenCV matchTemplate(TM_SQDIFF) + minMaxLoc, one thread; "
      "Colour = memcpy of the same block; Grab = XShmGetImage of the same area. "
      "Medians: CPU time for the scans, real time for the grab; cv: the coefficient of variation "
      "of ours over the repetitions.")
floor = medians.get("Grab/Screen/RawThenMemcpy/floor")
raw = medians.get("Grab/Screen/Raw/peer")
if floor is not None and raw is not None:
    print(f"Floor of a grab: raw XShmGetImage followed by one memcpy of its segment, "
          f"{ms(floor)} ms ({floor / raw:.2f}x the raw read).")
if errors:
    print("\nBenchmarks that failed:\n  " + "\n  ".join(errors))
    sys.exit(1)
PY

#!/usr/bin/python3
"""Checks `tq370ctl response` against an independent computation with scipy.signal.

Builds every band's second-order section from the formulas in Python, evaluates it with
scipy.signal.freqz on the same grid, and compares the sum (or one band) with the tool's
output printed at 12 decimals. Then times scipy on the benchmark curve against the fast
C++ curve measured by response_bench. Not part of the test suite: run it by hand,
    /usr/bin/python3 bench/response_scipy.py [--bin build/release/bin]
Exit status 1 when any difference exceeds the tolerance (1e-6 dB).
"""

import argparse
import json
import math
import pathlib
import subprocess
import sys
import tempfile
import time

import numpy as np
from scipy import signal

SAMPLE_RATE_HZ = 48000.0
TWO_PI = 6.28318530717958  # the system's own value of 2π
Q_DISPLAY_SCALE = 3.1666666666666665
CROSSOVER_OFF_BELOW = 19.7
CROSSOVER_LIMIT_HZ = 20600.0
TOLERANCE_DB = 1e-6

# FilterCode blocks: first code of each block and its decibel multiplier E.
BLOCKS = [(40, 10), (8, 20), (14, 30), (20, 40), (46, 50), (52, 60), (58, 70), (26, 80)]


def grid(width):
    decades = math.log10(20600.0 / 19.0)
    i = np.arange(width + 10, dtype=float)
    return 19.0 * 10.0 ** (i * decades / width)


def omega(f):
    return TWO_PI * np.asarray(f) / SAMPLE_RATE_HZ


def crossover_db(code, f0, freqs):
    block = next(((first, e) for first, e in BLOCKS if 0 <= code - first <= 5), None)
    high_pass = code % 2 == 0
    if block is None or not f0 >= CROSSOVER_OFF_BELOW:
        return np.zeros(len(freqs))
    if (high_pass and f0 > CROSSOVER_LIMIT_HZ) or (not high_pass and f0 >= CROSSOVER_LIMIT_HZ):
        return np.zeros(len(freqs))
    first, e = block
    family = (code - first) // 2  # 0 Butter, 1 Bessel, 2 Link (Butter's section)
    q_section = 1 / math.sqrt(3) if family == 1 else 1 / math.sqrt(2)
    w0 = float(omega(f0))
    alpha = math.sin(w0) / (2 * q_section)
    c0 = math.cos(w0)
    if high_pass:
        b = [(1 + c0) / 2, -(1 + c0), (1 + c0) / 2]
    else:
        b = [(1 - c0) / 2, 1 - c0, (1 - c0) / 2]
    a = [1 + alpha, -2 * c0, 1 - alpha]
    _, h = signal.freqz(b, a, worN=omega(freqs))
    return e * np.log10(np.abs(h))


def peaking_db(f0, q, gain, freqs):
    if gain == 0:
        return np.zeros(len(freqs))
    big_a = 10 ** (gain / 40)
    w0 = float(omega(f0))
    alpha = math.sin(w0) * Q_DISPLAY_SCALE / (2 * q)
    c0 = math.cos(w0)
    b = [1 + alpha * big_a, -2 * c0, 1 - alpha * big_a]
    a = [1 + alpha / big_a, -2 * c0, 1 - alpha / big_a]
    _, h = signal.freqz(b, a, worN=omega(freqs))
    return 20 * np.log10(np.abs(h))


class Case:
    def __init__(self, name, hp=None, lp=None, peqs=(), band=None, width=1000):
        self.name, self.hp, self.lp, self.peqs = name, hp, lp, list(peqs)
        self.band, self.width = band, width

    def arguments(self):
        args = ["--width", str(self.width), "--decimals", "12"]
        if self.hp:
            args += ["--hp", "%d,%r" % self.hp]
        if self.lp:
            args += ["--lp", "%d,%r" % self.lp]
        for peq in self.peqs:
            args += ["--peq", "%r,%r,%r" % peq]
        if self.band is not None:
            args += ["--band", str(self.band)]
        return args

    def expected(self, freqs):
        off = np.zeros(len(freqs))
        bands = [crossover_db(*self.hp, freqs) if self.hp else off,
                 crossover_db(*self.lp, freqs) if self.lp else off]
        bands += [peaking_db(*peq, freqs) for peq in self.peqs]
        if self.band is not None:
            return bands[self.band]
        total = np.zeros(len(freqs))
        for values in bands:
            total = total + values
        return total


ISO_CENTRES = [20.1, 25.3, 32.5, 40.1, 50.6, 63.7, 80.3, 101, 125, 161, 202, 250, 315, 405,
               500, 630, 809, 1000, 1260, 1620, 2000, 2520, 3170, 4000, 5040, 6350, 8000,
               10100, 12500, 16000, 20200]
BENCH_QS = [0.4, 1.0, 2.4, 7.6, 12.7, 40.0, 128.0]


def bench_peqs(channel=0):
    """The 31 EQ bands of response_bench's curve."""
    return [(float(f), BENCH_QS[(e + channel) % 7], ((e * 7 + channel * 3) % 41 - 20) * 0.5 + 0.1)
            for e, f in enumerate(ISO_CENTRES)]


def cases():
    bench = dict(hp=(52, 40.0), lp=(27, 12000.0), peqs=bench_peqs())
    result = [Case("benchmark curve", **bench),
              Case("benchmark curve, W = 333", width=333, **bench)]
    result += [Case("benchmark curve, band %d" % b, band=b, **bench) for b in (0, 1, 2, 8, 32)]
    for first, e in BLOCKS:
        for family, name in enumerate(["Butter", "Bessel", "Link"]):
            result.append(Case("%s %d dB/oct" % (name, e * 6 // 10),
                               hp=(first + 2 * family, 80.0), lp=(first + 2 * family + 1, 5000.0),
                               peqs=[(1000.0, 7.6, 6.0), (250.0, 2.4, -3.5)]))
    result += [
        Case("OFF codes", hp=(64, 1000.0), lp=(69, 1000.0)),
        Case("HP at 19 Hz, LP at 20600 Hz (both off)", hp=(8, 19.0), lp=(9, 20600.0)),
        Case("HP at 19.7 Hz, HP at 20600 Hz", hp=(8, 19.7), lp=(9, 20599.0)),
        Case("HP on at 20600 Hz", hp=(26, 20600.0)),
        Case("narrow deep cuts at the bottom",
             peqs=[(19.7 + 0.5 * k, 128.0, -20.0) for k in range(31)]),
        Case("broad boosts", peqs=[(20.0 * 1.25 ** k, 0.4, 20.0) for k in range(31)]),
        Case("peaking 1000 Hz Q 7.6 +6 dB", peqs=[(1000.0, 7.6, 6.0)]),
    ]
    return result


def run_ctl(binary, args):
    out = subprocess.run([str(binary), "response", *args], check=True, capture_output=True,
                         text=True).stdout.split()
    return np.array(out[0::2], dtype=float), np.array(out[1::2], dtype=float)


def bench_fast_curve(bench_binary):
    """Median real and CPU time of one fast curve in microseconds, from response_bench."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([str(bench_binary), "--benchmark_filter=BM_CurveFast$",
                        "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
                        "--benchmark_out_format=json", "--benchmark_out=" + out.name],
                       check=True, capture_output=True)
        runs = json.load(open(out.name))["benchmarks"]
    median = next(r for r in runs if r.get("aggregate_name") == "median")
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[median["time_unit"]]
    return median["real_time"] * scale, median["cpu_time"] * scale


def time_scipy(case, repeats=20):
    freqs = grid(case.width)
    best_wall = best_cpu = math.inf
    for _ in range(repeats):
        w0, c0 = time.perf_counter(), time.process_time()
        case.expected(freqs)
        best_wall = min(best_wall, time.perf_counter() - w0)
        best_cpu = min(best_cpu, time.process_time() - c0)
    return best_wall * 1e6, best_cpu * 1e6


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", type=pathlib.Path, default=root / "build/release/bin",
                        help="folder with tq370ctl and response_bench")
    options = parser.parse_args()

    worst_overall = 0.0
    for case in cases():
        freqs = grid(case.width)
        printed_f, printed_db = run_ctl(options.bin / "tq370ctl", case.arguments())
        if len(printed_f) != len(freqs) or np.max(np.abs(printed_f - freqs)) > 5e-4:
            print("%-45s grid differs" % case.name)
            return 1
        worst = float(np.max(np.abs(printed_db - case.expected(freqs))))
        worst_overall = max(worst_overall, worst)
        print("%-45s max |difference| %.3g dB" % (case.name, worst))
    print("largest difference over all cases: %.3g dB (tolerance %g)" %
          (worst_overall, TOLERANCE_DB))

    scipy_wall, scipy_cpu = time_scipy(cases()[0])
    fast_wall, fast_cpu = bench_fast_curve(options.bin / "response_bench")
    print("benchmark curve: scipy %.0f us (CPU %.0f us), fast C++ %.1f us (CPU %.1f us)" %
          (scipy_wall, scipy_cpu, fast_wall, fast_cpu))
    print("scipy / fast: %.0fx real time, %.0fx CPU time" %
          (scipy_wall / fast_wall, scipy_cpu / fast_cpu))
    return 0 if worst_overall <= TOLERANCE_DB else 1


if __name__ == "__main__":
    sys.exit(main())

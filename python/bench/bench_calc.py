#!/usr/bin/env python3
"""Speed of Plugin.calc against hostkit's C++ loop and a pure-Python
Beggs & Brill.

Reports, for BB_3 on 100 000 points of the correlation's domain:
  - points per second of Plugin.calc with 1 and 2 threads (best of runs);
  - the C++ per-point cost of hostkit's loop over the same points through
    the same plug-in (Correlation::call, no Python), and, when given
    --bb-benchmark PATH, the BB_3 figures of bench/bb_benchmark;
  - fluids.two_phase.Beggs_Brill per point in a Python loop, when the
    fluids package (Debian: python3-fluids) is installed.

Run with the interpreter the package was built for, e.g.
  PYTHONPATH=build/dev/python /usr/bin/python3 python/bench/bench_calc.py \\
      --bb-benchmark build/dev/bin/bb_benchmark
A timing script, not a test: figures depend on the machine and its load.
"""

import argparse
import json
import math
import subprocess
import time

import numpy as np

import pipecorr
from pipecorr import _core
from pipecorr._plugin import _column

COUNT = 100_000


def domain_points(count, seed=1):
    """Upward, level and downward two-phase flow inside Beggs & Brill's
    domain, every pattern represented."""
    rng = np.random.default_rng(seed)

    def log_uniform(low, high):
        return np.exp(rng.uniform(math.log(low), math.log(high), count))

    return dict(usl=log_uniform(0.01, 5.0), usg=log_uniform(0.05, 30.0),
                rol=rng.uniform(700.0, 1050.0, count),
                rog=log_uniform(1.0, 150.0), visl=log_uniform(3e-4, 0.05),
                visg=log_uniform(8e-6, 3e-5),
                eps=rng.uniform(1e-5, 1e-4, count),
                sigma=rng.uniform(0.01, 0.07, count),
                diam=log_uniform(0.05, 0.3),
                fi=rng.uniform(-30.0, 90.0, count),
                p=log_uniform(5e5, 3e7))


def best_of(runs, action):
    best = math.inf
    for _ in range(runs):
        start = time.perf_counter()
        action()
        best = min(best, time.perf_counter() - start)
    return best


def bb_benchmark_figures(path):
    done = subprocess.run(
        [path, "--benchmark_filter=BB_3", "--benchmark_format=json"],
        capture_output=True, text=True, check=True)
    return {b["name"]: b["cpu_time"] for b in json.loads(done.stdout)[
        "benchmarks"]}


def fluids_per_point(points, count):
    try:
        from fluids.two_phase import Beggs_Brill
    except ImportError:
        return None
    # Its inputs are the mass flow and quality; plain floats, so the loop
    # times the correlation rather than numpy's scalar indexing.
    part = {name: values[:count] for name, values in points.items()}
    area = np.pi * part["diam"] ** 2 / 4.0
    liquid = part["rol"] * part["usl"] * area
    gas = part["rog"] * part["usg"] * area
    rows = list(zip((liquid + gas).tolist(), (gas / (liquid + gas)).tolist(),
                    *(part[name].tolist() for name in (
                        "rol", "rog", "visl", "visg", "sigma", "p", "diam",
                        "fi", "eps"))))

    def loop():
        for m, x, rol, rog, visl, visg, sigma, p, diam, fi, eps in rows:
            Beggs_Brill(m=m, x=x, rhol=rol, rhog=rog, mul=visl, mug=visg,
                        sigma=sigma, P=p, D=diam, angle=fi, roughness=eps,
                        L=1.0)

    return best_of(3, loop) / count


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bb-benchmark", help="path of bench/bb_benchmark")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--fluids-points", type=int, default=2000)
    args = parser.parse_args()

    plugin = pipecorr.Plugin()
    points = domain_points(COUNT)
    check = plugin.calc("BB_3", **points)
    print(f"BB_3 on {COUNT} points: {np.count_nonzero(check.ierr)} failed, "
          f"patterns {sorted(set(check.pattern.tolist()))}")

    columns = [_column(points[name], (COUNT,)) for name, _, _ in
               pipecorr.INPUTS]
    host = _core._time_host_loop(plugin._handle, "BB_3", columns, COUNT,
                                 args.runs) / COUNT
    print(f"hostkit C++ loop (Correlation::call):   {host * 1e9:8.1f} ns "
          f"per point")
    if args.bb_benchmark:
        for name, ns in bb_benchmark_figures(args.bb_benchmark).items():
            print(f"  bb_benchmark {name:32s} {ns:8.1f} ns")

    per_point = {}
    for threads in (1, 2):
        cpu, wall = time.process_time(), time.perf_counter()
        took = best_of(args.runs, lambda: plugin.calc("BB_3", **points,
                                                      threads=threads))
        # CPU seconds per wall second over all runs: near 2 only when the
        # machine had a second core free for the second thread.
        busy = (time.process_time() - cpu) / (time.perf_counter() - wall)
        per_point[threads] = took / COUNT
        print(f"Plugin.calc, {threads} thread{'s' if threads > 1 else ' '}:"
              f"            {COUNT / took / 1e6:8.3f} M points/s "
              f"({took / COUNT * 1e9:.1f} ns per point, "
              f"{took / COUNT / host:.2f} x the C++ loop; "
              f"cores busy {min(busy, threads):.1f})")

    fluids = fluids_per_point(points, args.fluids_points)
    if fluids is None:
        print("fluids.two_phase.Beggs_Brill: not installed "
              "(Debian: python3-fluids)")
    else:
        print(f"fluids.two_phase.Beggs_Brill, Python loop: "
              f"{fluids * 1e9:8.1f} ns per point "
              f"({fluids / per_point[1]:.0f} x Plugin.calc on one thread)")


if __name__ == "__main__":
    main()

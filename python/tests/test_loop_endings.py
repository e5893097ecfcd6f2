"""How a calc loop ends early: an exception met on any of its threads comes
back to the caller as it does on one thread, and Ctrl-C stops it. Each case
runs in an interpreter of its own, since what goes wrong here ends or
blocks a whole process."""

import json
import os
import re
import subprocess
import sys
import textwrap

import pytest

# Inputs of THROW_3 and SLOW_3 (tests/plugins/throwing_plugin.cpp), which
# look only at the pressure.
PRELUDE = """
import json, os, signal, sys, threading, time
import numpy as np
import pipecorr
plugin = pipecorr.Plugin(os.environ["THROWING_PLUGIN"])
FIXED = dict(usl=1.0, usg=1.0, rol=800.0, rog=10.0, visl=1e-3, visg=1e-5,
             eps=1e-5, sigma=0.02, diam=0.1, fi=0.0)
def calc(name, p, threads):
    return plugin.calc(name, p=p, threads=threads, reentrant=True, **FIXED)
def report(error):
    print(json.dumps([type(error).__name__, str(error),
                      getattr(error, "__notes__", [])]))
"""


@pytest.fixture(scope="module")
def throwing_plugin():
    path = os.environ.get("THROWING_PLUGIN")
    if not path:
        pytest.skip("the throwing test plug-in is not built here "
                    "(set THROWING_PLUGIN)")
    return path


def run(script, folder, timeout=60):
    """The script's last line of output, parsed; fails on a crash or a
    hang."""
    done = subprocess.run(
        [sys.executable, "-c", PRELUDE + textwrap.dedent(script)],
        capture_output=True, text=True, cwd=folder, timeout=timeout)
    assert done.returncode == 0, done.stderr
    return json.loads(done.stdout.splitlines()[-1])


# (threads, {point: pressure}, exception, message, notes): 1000 points, so
# with 2 threads point 900 lies in the worker's slice.
FAULTS = [
    (1, {10: 1.0}, "RuntimeError", "THROW_3 gave up at p = 1 Pa",
     ["met while computing point 10 of 1000 with THROW_3"]),
    (2, {900: 1.0}, "RuntimeError", "THROW_3 gave up at p = 1 Pa",
     ["met while computing point 900 of 1000 with THROW_3"]),
    (2, {900: 2.0}, "MemoryError", "std::bad_alloc",
     ["met while computing point 900 of 1000 with THROW_3"]),
    (2, {900: 3.0}, "RuntimeError",
     "THROW_3 let an exception of no standard type out of its entry",
     ["met while computing point 900 of 1000 with THROW_3"]),
    # Both threads meet one at their first point: one is raised, the other
    # counted.
    (2, {0: 4.0, 500: 4.0}, "RuntimeError", "THROW_3 met a twin",
     [r"met while computing point (0|500) of 1000 with THROW_3",
      "1 more thread of the loop met an exception too"]),
]


@pytest.mark.parametrize("threads, faults, exception, message, notes", FAULTS)
def test_an_exception_on_any_thread_is_raised_in_the_caller(
        throwing_plugin, tmp_path, threads, faults, exception, message,
        notes):
    got = run(f"""
        p = np.full(1000, 1e5)
        for point, value in {faults!r}.items():
            p[point] = value
        try:
            calc("THROW_3", p, {threads})
            print(json.dumps(["no exception", "", []]))
        except BaseException as error:
            report(error)
        # The plug-in and the interpreter are still usable.
        assert calc("THROW_3", np.full(8, 1e5), {threads}).ok.all()
        """, tmp_path)
    assert got[:2] == [exception, message]
    assert len(got[2]) == len(notes)
    for note, pattern in zip(got[2], notes):
        assert re.fullmatch(pattern, note), note


@pytest.mark.parametrize("threads", [1, 2])
def test_ctrl_c_stops_a_long_calc(throwing_plugin, tmp_path, threads):
    # 100 000 points of 2 ms each would take 200 s per thread.
    got = run(f"""
        threading.Timer(0.2, os.kill, (os.getpid(), signal.SIGINT)).start()
        try:
            calc("SLOW_3", np.full(100_000, 1e5), {threads})
            print(json.dumps(["no exception", "", []]))
        except BaseException as error:
            report(error)
        """, tmp_path)
    assert got[0] == "KeyboardInterrupt"


def test_a_signal_handler_that_calls_pipecorr_during_calc_is_refused(
        throwing_plugin, tmp_path):
    # The handler runs while calc holds the plug-in lock: it must get an
    # error, not wait for that lock for ever.
    got = run("""
        def handler(number, frame):
            calc("THROW_3", np.full(2, 1e5), 1)
        signal.signal(signal.SIGUSR1, handler)
        threading.Timer(0.2, os.kill, (os.getpid(), signal.SIGUSR1)).start()
        try:
            calc("SLOW_3", np.full(100_000, 1e5), 1)
            print(json.dumps(["no exception", "", []]))
        except BaseException as error:
            report(error)
        """, tmp_path)
    assert got[0] == "RuntimeError"
    assert "signal handler" in got[1]


def test_a_plugin_collected_during_calc_is_closed_after_it(
        throwing_plugin, mini_plugin, tmp_path):
    # One Plugin dropped by a signal handler (on the thread that holds the
    # plug-in lock), another on a second thread while calc looks for
    # signals: neither may end or block the process.
    got = run(f"""
        held = [pipecorr.Plugin({str(mini_plugin)!r})]
        other = [pipecorr.Plugin({str(mini_plugin)!r})]
        signal.signal(signal.SIGUSR1, lambda number, frame: held.clear())
        threading.Timer(0.2, os.kill, (os.getpid(), signal.SIGUSR1)).start()
        threading.Timer(0.3, other.clear).start()
        result = calc("SLOW_3", np.full(500, 1e5), 1)
        print(json.dumps([bool(result.ok.all()), held, other]))
        """, tmp_path)
    assert got == [True, [], []]

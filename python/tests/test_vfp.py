"""Lift tables from Python: the keyword text against the command's and
against the arrays read back from it, one point against a traverse of the
case it stands for, an injector's table, and refusals."""

import os
import re
import subprocess
import sys
import textwrap

import numpy as np
import pytest

import pipecorr

PSI = 6894.757293168361  # Pa

INJECTOR = {
    "title": "water injector", "units": "field", "flow": "injector",
    "survey": {"md": [0, 6000], "inclination": [0, 0]},
    "inside_diameter": "2.992 in", "roughness": "0.0006 in", "api": 36,
    "gas_gravity": 0.75, "water_gravity": 1.05, "oil_rate": 0,
    "water_rate": "3000 STB/d", "gor": 0, "wellhead_pressure": "1000 psia",
    "wellhead_temperature": "80 F", "bottomhole_temperature": "160 F",
    "correlation": "BB_3", "step": "100 ft",
}


def read_keyword(text):
    """The keyword's name and its records as lists of words, read as a
    simulator reads a deck: comments dropped, records ended by '/'."""
    lines = [line for line in text.splitlines()
             if line.strip() and not line.startswith("--")]
    name, body = lines[0], " ".join(lines[1:])
    records = [re.findall(r"'[^']*'|[^\s']+", record)
               for record in body.split("/")[:-1]]
    return name, records


def numbers(words):
    return np.array([float(word) for word in words])


def twelve_digits(values):
    return [float(f"{value:.12g}") for value in np.ravel(values)]


def test_the_text_is_the_commands_and_holds_the_arrays(command, examples,
                                                      tmp_path):
    case = examples / "field_well.case"
    table = pipecorr.vfp(case, table=3)
    out = tmp_path / "out.inc"
    done = subprocess.run([str(command), "vfp", str(case), "--table=3", "-o",
                           str(out), "--no-progress"],
                          capture_output=True, text=True, cwd=tmp_path)
    assert done.returncode == 0, done.stderr
    # The first line carries the day it was written.
    assert (table.text.split("\n", 1)[1] ==
            out.read_text().split("\n", 1)[1])
    # The thread count aside (see the next test), the same summary.
    threadless = re.compile(r" on \d+ threads?,")
    assert [threadless.sub(",", line) for line in done.stderr.splitlines()
            ] == [threadless.sub(",", f"vfp: {s}") for s in table.summary]

    name, records = read_keyword(table.text)
    assert (name, table.kind, table.units) == ("VFPPROD", "VFPPROD", "FIELD")
    head = records[0]
    assert head[0] == "3" and float(head[1]) == float(
        f"{table.datum_depth:.12g}")
    assert head[2:5] == ["'LIQ'", "'WCT'", "'GOR'"] and head[7] == "'FIELD'"
    assert (table.rate_type, table.water_type, table.gas_type) == (
        "LIQ", "WCT", "GOR")
    axes = [table.rates, table.thp, table.water, table.gas, table.alq]
    for words, axis in zip(records[1:6], axes):
        assert numbers(words).tolist() == twelve_digits(axis)
    # The default axes of the case: 1000 STB/d at 50 % water, GOR 1600
    # scf/STB, 150 psia at the wellhead.
    assert table.rates[[0, 7, 9]] == pytest.approx([50, 1000, 2000])
    assert table.thp == pytest.approx([112.5, 150, 187.5, 225, 300])
    assert table.gas == pytest.approx([0.4, 0.8, 1.6, 2.4, 3.2])
    assert table.bhp.shape == table.computed.shape == (5, 5, 5, 1, 10)
    rows = records[6:]
    assert len(rows) == 5 * 5 * 5
    for row in rows:
        t, w, g, a = (int(word) - 1 for word in row[:4])
        assert numbers(row[4:]).tolist() == twelve_digits(
            table.bhp[t, w, g, a])
    assert table.completed and table.computed.all()


def test_a_bundled_correlation_shares_threads_as_in_the_command(examples):
    table = pipecorr.vfp(examples / "field_well.case", threads=2)
    assert table.threads == 2


def test_a_point_is_the_traverse_of_its_case(examples):
    table = pipecorr.vfp(examples / "field_well.case")
    t, w, g, r = 3, 1, 2, 5
    point = pipecorr.traverse({
        "title": "one point", "units": "field",
        "survey": str(examples / "field_well_survey.csv"),
        "inside_diameter": "2.441 in", "roughness": "0.0006 in", "api": 36,
        "gas_gravity": 0.75, "water_gravity": 1.05, "co2": 0.01,
        "n2": 0.005, "liquid_rate": (table.rates[r], "STB/d"),
        "water_cut": table.water[w], "gor": (table.gas[g] * 1e3, "scf/STB"),
        "wellhead_pressure": (table.thp[t], "psia"),
        "wellhead_temperature": "85 F", "bottomhole_temperature": "200 F",
        "correlation": "BB_3", "step": "100 ft", "tolerance": "0.1 psi",
    }, table="numpy")
    (summary,) = point.traverses
    assert summary.completed
    # The datum is the bottom of the well, where the traverse ends.
    assert f"{summary.answer / PSI:.12g}" == f"{table.bhp[t, w, g, 0, r]:.12g}"
    # The point that stands in the text for it.
    _, records = read_keyword(table.text)
    row = next(row for row in records[6:] if row[:4] == ["4", "2", "3", "1"])
    assert float(row[4 + r]) == float(f"{summary.answer / PSI:.12g}")


def test_an_injector_gets_vfpinj_over_thp_and_rate():
    table = pipecorr.vfp(INJECTOR, datum="md:5000")
    name, records = read_keyword(table.text)
    assert (name, table.kind, table.rate_type) == ("VFPINJ", "VFPINJ", "WAT")
    assert records[0][:5] == ["1", "5000", "'WAT'", "'THP'", "'FIELD'"]
    assert table.datum_depth == pytest.approx(5000)
    assert None is table.water is table.gas is table.alq is table.water_type
    assert table.rates == pytest.approx(
        3000 * np.array([0.05, 0.1, 0.15, 0.25, 0.4, 0.6, 0.8, 1, 1.5, 2]))
    assert table.bhp.shape == table.computed.shape == (5, 10)
    for t, row in enumerate(records[3:]):
        assert row[0] == str(t + 1)
        assert numbers(row[1:]).tolist() == twelve_digits(table.bhp[t])
    # Water alone down 5000 ft: at least its static head, about 0.45 psi/ft.
    assert (table.bhp - table.thp[:, None] > 2000).all()


@pytest.mark.parametrize("change, arguments, kind, message", [
    ({"vfp_water": "0, 0.5"}, {}, pipecorr.Error,
     "belongs to a producer's lift table"),
    ({"wellhead_pressure": None, "bottomhole_pressure": "3000 psia"}, {},
     pipecorr.Error, "no wellhead pressure to make the THP axis"),
    ({}, {"datum": "md:7000"}, pipecorr.Error, "lies outside the well"),
    ({}, {"correlation": "NO_SUCH_3"}, KeyError, "NO_SUCH_3"),
    ({}, {"correlation": "BB_3, BB_2"}, pipecorr.Error, "one correlation"),
    ({}, {"table": 0}, ValueError, "from 1 to 9999"),
])
def test_a_refused_request_raises(change, arguments, kind, message):
    with pytest.raises(kind, match=re.escape(message)):
        pipecorr.vfp({**INJECTOR, **change}, **arguments)


def test_ctrl_c_stops_a_long_table(tmp_path):
    # 100 rates on 50 THP in 10 ft steps: half a minute or more of marching.
    code = textwrap.dedent(f"""
        import os, signal, threading, pipecorr
        case = {INJECTOR!r}
        case["vfp_rates"] = [100 + 10 * k for k in range(100)]
        case["vfp_thp"] = [500 + 10 * k for k in range(50)]
        case["step"] = "10 ft"
        threading.Timer(0.5, os.kill, (os.getpid(), signal.SIGINT)).start()
        try:
            pipecorr.vfp(case)
            print("no exception")
        except KeyboardInterrupt:
            print("KeyboardInterrupt")
        """)
    path = [os.path.dirname(os.path.dirname(pipecorr.__file__))]
    environment = dict(os.environ, PYTHONPATH=os.pathsep.join(path))
    done = subprocess.run([sys.executable, "-c", code], capture_output=True,
                          text=True, cwd=tmp_path, timeout=60,
                          env=environment)
    assert done.stdout.strip() == "KeyboardInterrupt", done.stderr

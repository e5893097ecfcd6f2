"""The lift tables in a reservoir simulator: the deck of docs/vfp.md runs in
OPM Flow on the tables ``pipecorr vfp`` writes there, and at every report
step each well's bottom-hole pressure is the table's interpolation at the
well's own rate, fractions and tubing-head pressure, and the traverse
``pipecorr traverse`` marches at those values, within the interpolation's
error."""

import os
import pathlib
import re
import shlex
import subprocess

import numpy as np
import pytest

ESmry = pytest.importorskip("opm.io.ecl").ESmry
opm_parser = pytest.importorskip("opm.io.parser")

DOCS = pathlib.Path(__file__).resolve().parents[2] / "docs" / "vfp.md"


@pytest.fixture(scope="module")
def flow():
    path = os.environ.get("OPM_FLOW")
    if not path:
        pytest.skip("OPM Flow is not installed here (set OPM_FLOW)")
    return path


def documented_run():
    """The commands and the deck of the documentation's complete example."""
    section = DOCS.read_text().split("\n## A complete deck\n", 1)[1]
    commands = re.search(r"```sh\n(.*?)```", section, re.S).group(1)
    deck = re.search(r"```text\n(.*?)```", section, re.S).group(1)
    return [shlex.split(line) for line in commands.splitlines()], deck


@pytest.fixture(scope="module")
def run(flow, command, examples, tmp_path_factory):
    """The documented example, run as written in a folder of its own."""
    folder = tmp_path_factory.mktemp("flow")
    os.symlink(examples, folder / "examples")
    commands, deck = documented_run()
    (folder / "WELLS.DATA").write_text(deck)
    programs = {"pipecorr": [str(command)], "flow": [flow]}
    for words in commands:
        argv = programs[words[0]] + words[1:]
        if words[0] == "pipecorr":
            argv.append("--no-progress")
        done = subprocess.run(argv, cwd=folder, capture_output=True,
                              text=True, timeout=300,
                              env=dict(os.environ, OMP_NUM_THREADS="1"))
        assert done.returncode == 0, (argv, done.stdout, done.stderr)
    return folder


def axis(record):
    return np.array(record[0].get_raw_data_list())


def tables(folder):
    """The two tables as the simulator's own parser reads the deck: the
    production table's axes and its (THP, water, gas, ALQ, rate) array, the
    injection table's axes and its (THP, rate) array."""
    deck = opm_parser.Parser().parse(str(folder / "WELLS.DATA"),
                                     opm_parser.ParseContext())
    prod = deck["VFPPROD"]
    axes = [axis(prod[k]) for k in (2, 3, 4, 5, 1)]  # THP, WFR, GFR, ALQ, rate
    values = np.full([len(a) for a in axes], np.nan)
    for k in range(6, len(prod)):
        t, w, g, a = (prod[k][i].get_int(0) - 1 for i in range(4))
        values[t, w, g, a] = prod[k][4].get_raw_data_list()
    inj = deck["VFPINJ"]
    inj_axes = [axis(inj[2]), axis(inj[1])]  # THP, rate
    inj_values = np.full([len(a) for a in inj_axes], np.nan)
    for k in range(3, len(inj)):
        inj_values[inj[k][0].get_int(0) - 1] = inj[k][1].get_raw_data_list()
    assert not np.isnan(values).any() and not np.isnan(inj_values).any()
    return (axes, values), (inj_axes, inj_values)


def cell(nodes, x):
    """The interval of x (the end one beyond the axis) and x's weight."""
    if len(nodes) == 1:
        return 0, 0.0
    i = int(np.clip(np.searchsorted(nodes, x) - 1, 0, len(nodes) - 2))
    return i, (x - nodes[i]) / (nodes[i + 1] - nodes[i])


def interpolate(axes, values, x):
    """Multilinear interpolation, linear past the ends, as a simulator
    reads the table."""
    cells = [cell(nodes, xi) for nodes, xi in zip(axes, x)]
    total = 0.0
    for corner in np.ndindex(*(2 if len(a) > 1 else 1 for a in axes)):
        weight, index = 1.0, []
        for (i, w), c in zip(cells, corner):
            weight *= w if c else 1.0 - w
            index.append(i + c)
        total += weight * values[tuple(index)]
    return total


def interpolation_error(axes, values, x):
    """The classical bound of linear interpolation's error, summed over the
    axes: (x - a)(b - x)/2 times the second derivative, taken as the largest
    second divided difference of the table over the node triples that share
    a node with x's interval, at the corners of x's cell."""
    cells = [cell(nodes, xi) for nodes, xi in zip(axes, x)]
    bound = 0.0
    for k, nodes in enumerate(axes):
        if len(nodes) < 3:
            continue
        i, _ = cells[k]
        a, b = nodes[i], nodes[i + 1]
        others = [range(c[0], c[0] + (2 if len(n) > 1 else 1))
                  for c, n in zip(cells, axes)]
        others[k] = [0]
        curvature = 0.0
        for j in range(max(i - 1, 0), min(i + 1, len(nodes) - 3) + 1):
            for corner in np.ndindex(*(len(r) for r in others)):
                index = [r[c] for r, c in zip(others, corner)]
                f = []
                for m in range(j, j + 3):
                    index[k] = m
                    f.append(values[tuple(index)])
                x0, x1, x2 = nodes[j:j + 3]
                second = 2 * ((f[2] - f[1]) / (x2 - x1) -
                              (f[1] - f[0]) / (x1 - x0)) / (x2 - x0)
                curvature = max(curvature, abs(second))
        bound += (x[k] - a) * (b - x[k]) / 2 * curvature
    return bound


def report(folder, keys):
    summary = ESmry(str(folder / "WELLS.SMSPEC"))
    return {key: np.array(summary[key, True], dtype=float) for key in keys}


def case_with(source, folder, name, changes):
    """A copy of a case with some keys set anew, beside its tables."""
    text = source.read_text()
    for key, value in changes.items():
        line = "" if value is None else f"{key} = {value}"
        text, count = re.subn(rf"(?m)^{key} *=.*$", line, text)
        if count == 0 and value is not None:
            text += line + "\n"
    path = folder / name
    path.write_text(re.sub(r"(?m)^survey = ",
                           f"survey = {source.parent}/", text))
    return path


def traverse_at(command, folder, case, depth):
    """The pressure `pipecorr traverse` marches to at a true vertical depth,
    between the stations around it."""
    out = folder / (case.stem + ".csv")
    done = subprocess.run([str(command), "traverse", str(case), "-o",
                           str(out)], capture_output=True, text=True,
                          timeout=60)
    assert done.returncode == 0, done.stderr
    rows = np.genfromtxt(out, delimiter=",", names=True, dtype=None,
                         encoding=None)
    return float(np.interp(depth, rows["tvd_ft"], rows["pressure_psia"]))


# How closely the simulator's bottom-hole pressure is the table's value at
# the rates it reports. Most steps agree to the float32 the summary holds
# (a few parts in 1e8); after a few Newton iterations flow relaxes its well
# equations' tolerance and a step may end some parts in 1e5 off. A wrong
# unit, axis or index moves the value by percents.
WELL_SOLVE = 1e-4

# The march's tolerance, in psi: at the table's nodes and in the traverse.
MARCH = 2 * 0.1


def test_the_simulator_runs_without_errors(run):
    log = (run / "WELLS.PRT").read_text()
    assert re.search(r"\nErrors +0\n", log), log[-2000:]
    assert "will be shut" not in log


def test_the_producer_follows_its_table_and_its_traverses(run, command,
                                                          examples):
    (axes, values), _ = tables(run)
    r = report(run, ["WBHP:PROD", "WTHP:PROD", "WLPR:PROD", "WWCT:PROD",
                     "WGOR:PROD"])
    # The well keeps inside the table (no extrapolation) and flows.
    assert (r["WLPR:PROD"] > axes[4][0]).all()
    assert (r["WLPR:PROD"] < axes[4][-1]).all()
    for step, bhp in enumerate(r["WBHP:PROD"]):
        x = [float(r[key][step]) for key in
             ("WTHP:PROD", "WWCT:PROD", "WGOR:PROD")] + [
                 0.0, float(r["WLPR:PROD"][step])]
        table = interpolate(axes, values, x)
        assert bhp == pytest.approx(table, rel=WELL_SOLVE)

        case = case_with(examples / "field_well.case", run,
                         f"prod{step}.case", {
                             "liquid_rate": f"{x[4]!r} STB/d",
                             "water_cut": repr(x[1]), "glr": None,
                             "gor": f"{x[2] * 1e3!r} scf/STB",
                             "wellhead_pressure": f"{x[0]!r} psia"})
        marched = traverse_at(command, run, case, 8800.0)
        # In this run the traverses lie 13 to 21 psi below the table, within
        # a bound of 65 to 79 psi: the curve bends most in the gas fraction.
        tolerance = interpolation_error(axes, values, x) + MARCH
        assert abs(marched - bhp) <= tolerance, (step, x, marched, bhp)


def test_the_injector_follows_its_table_and_its_traverses(run, command,
                                                          examples):
    _, (axes, values) = tables(run)
    r = report(run, ["WBHP:INJ", "WTHP:INJ", "WWIR:INJ"])
    assert (r["WWIR:INJ"] > axes[1][0]).all()
    assert (r["WWIR:INJ"] < axes[1][-1]).all()
    for step, bhp in enumerate(r["WBHP:INJ"]):
        x = [float(r["WTHP:INJ"][step]), float(r["WWIR:INJ"][step])]
        assert bhp == pytest.approx(interpolate(axes, values, x),
                                    rel=WELL_SOLVE)
        case = case_with(examples / "water_injector.case", run,
                         f"inj{step}.case", {
                             "water_rate": f"{x[1]!r} STB/d",
                             "wellhead_pressure": f"{x[0]!r} psia"})
        marched = traverse_at(command, run, case, 8800.0)
        # Friction alone bends an injector's curve: the traverses lie 0.06
        # to 0.37 psi above the table, 94 % of the bound.
        tolerance = interpolation_error(axes, values, x) + MARCH
        assert abs(marched - bhp) <= tolerance, (step, x, marched, bhp)

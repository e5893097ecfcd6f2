"""The field traverse and lift curves from Python, against the pipecorr
command's CSV of the same cases, and a dict case against its file."""

import csv
import subprocess

import numpy as np
import pytest

import pipecorr
from pipecorr import _core

pytestmark = pytest.mark.skipif(
    not hasattr(_core, "traverse_case"),
    reason="this build has no field-traverse reader")

FT = 0.3048
PSI = 6894.757293168361
STB_PER_DAY = 0.158987294928 / 86400.0  # m3/s


def command_csv(command, arguments, folder):
    out = folder / "out.csv"
    done = subprocess.run([str(command), *arguments, "-o", str(out)],
                          capture_output=True, text=True, cwd=folder)
    assert done.returncode == 0, done.stderr
    return list(csv.DictReader(out.read_text().splitlines()))


def test_traverse_matches_the_command(command, examples, tmp_path):
    case = examples / "field_well.case"
    ours = pipecorr.traverse(case, ["BB_3", "BB_2"], table="numpy")
    rows = command_csv(command, ["traverse", str(case), "-c", "BB_3,BB_2"],
                       tmp_path)
    table = ours.table
    assert len(rows) == len(table) > 100
    assert [r["correlation"] for r in rows] == table["correlation"].tolist()
    # Holdup and pattern are the correlation's own outputs: exact. Depths
    # and pressures went through the command's field units, written to 12
    # significant digits.
    assert [float(r["holdup"]) for r in rows] == table["holdup"].tolist()
    assert [int(r["id"]) for r in rows] == table["pattern"].tolist()
    np.testing.assert_allclose([float(r["md_ft"]) * FT for r in rows],
                               table["md_m"], rtol=1e-11, atol=1e-9)
    np.testing.assert_allclose([float(r["pressure_psia"]) * PSI
                                for r in rows], table["pressure_Pa"],
                               rtol=1e-11)
    assert all(t.completed for t in ours.traverses)
    assert ours.traverses[0].answer == pytest.approx(
        float(rows[len(rows) // 2 - 1]["pressure_psia"]) * PSI, rel=1e-11)
    assert ours.svg.startswith("<?xml") or ours.svg.startswith("<svg")
    assert ours.csv.splitlines()[0] == ",".join(rows[0])


def test_a_dict_case_is_the_case_file_it_stands_for(examples):
    from_file = pipecorr.traverse(examples / "takacs_well.case",
                                  table="numpy")
    survey = {"md": [0, 3700], "inclination": [0, 0]}
    from_dict = pipecorr.traverse({
        "title": "Takacs vertical well", "units": "field",
        "survey": survey, "inside_diameter": (2.441, "in"),
        "roughness": "0.0003 in", "api": 41.06, "gas_gravity": 0.916,
        "oil_rate": "375 STB/d", "water_rate": 0, "glr": (480, "scf/STB"),
        "wellhead_pressure": 346.6, "wellhead_temperature": "80.3 F",
        "bottomhole_temperature": "107.2 F", "correlation": "BB_3",
        "pseudo_critical": "hankinson_thomas_phillips",
    }, table="numpy")
    assert from_dict.table.tobytes() == from_file.table.tobytes()
    assert from_dict.traverses == from_file.traverses
    with pytest.raises(pipecorr.Error, match="<dict case>:2: .*'units'"):
        pipecorr.traverse({"title": "t", "units": "imperial",
                           "survey": survey})


def test_lift_curves_match_the_command(command, examples, tmp_path):
    case = examples / "field_well.case"
    ours = pipecorr.lift_curves(case, table="numpy")
    every = command_csv(command, ["lift", str(case)], tmp_path)
    rows = [r for r in every if r["point"] == "lift"]
    assert len(rows) == len(ours.table) >= 20
    np.testing.assert_allclose(
        [float(r["bottom_hole_pressure_psia"]) * PSI for r in rows],
        ours.table["bottom_hole_pressure_Pa"], rtol=1e-11)
    np.testing.assert_allclose(
        [float(r["liquid_rate_STB_per_d"]) * STB_PER_DAY for r in rows],
        ours.table["liquid_rate_m3_per_s"], rtol=1e-11)
    assert [int(r["curve"]) - 1 for r in rows] == ours.table["curve"].tolist()
    # The GLR-200 curve meets the inflow twice, at about 282 and 412
    # STB/d, both left of its minimum (heading): no operating point there;
    # the others once each, stable.
    first = ours.curves[0]["crossings"]
    assert [round(c["liquid_rate"] / STB_PER_DAY) for c in first] == [282, 412]
    assert all(c["heading"] and not c["stable"] for c in first)
    assert ours.operating_points[0] is None
    assert all(p is not None and p["stable"] for p in ours.operating_points[1:])
    crossing_rows = [r for r in every if r["point"] != "lift"]
    assert len(crossing_rows) == sum(len(c["crossings"]) for c in ours.curves)


@pytest.mark.parametrize("title, comment", [
    ("Well #3", False), ("#3", False), ("a#b", False),
    ("Well # 3", True), ("Well #", True), ("#", True), ("# x", True)])
def test_a_dict_value_is_refused_only_where_a_case_file_would_cut_it(
        title, comment):
    # A case file starts a comment at a '#' between blanks or at an end.
    if comment:
        with pytest.raises(ValueError, match="would be cut at its '#'"):
            pipecorr.case_text({"title": title})
    else:
        assert f"title = {title}\n" in pipecorr.case_text({"title": title})


@pytest.mark.parametrize("job, run", [("traverse", pipecorr.traverse),
                                      ("lift", pipecorr.lift_curves)])
def test_step_marches_as_the_commands_step(command, examples, tmp_path, job,
                                           run):
    # 7.5 m is about a quarter of the case's 100 ft: more stations and
    # other pressures, so a step that went unused could not pass.
    case = examples / "field_well.case"
    out = tmp_path / "out.csv"
    done = subprocess.run([str(command), job, str(case), "--step", "7.5",
                           "-o", str(out)], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    ours = run(case, step=7.5, table="numpy")
    assert ours.csv == out.read_text()
    assert ours.csv != run(case, table="numpy").csv


@pytest.mark.parametrize("step", ["7.5", True, [7.5]])
def test_a_step_that_is_not_a_number_is_a_type_error(examples, step):
    with pytest.raises(TypeError, match="step must be a length in the case's unit"):
        pipecorr.traverse(examples / "field_well.case", step=step)


def test_correlations_of_several_plugins_share_one_traverse(examples,
                                                            mini_plugin,
                                                            tmp_path):
    case = examples / "field_well.case"
    ours = pipecorr.traverse(case, ["BB_3", "LIN_3"], table="numpy",
                             plugins=[pipecorr.Plugin(), mini_plugin])
    assert [t.correlation for t in ours.traverses] == ["BB_3", "LIN_3"]
    # Each name went to its own plug-in: BB_3 alone is the bundled answer.
    alone = pipecorr.traverse(case, "BB_3", table="numpy")
    assert ours.traverses[0] == alone.traverses[0]
    assert ours.traverses[1].answer != alone.traverses[0].answer
    # Two files offering the same names: neither is taken.
    first, second = tmp_path / "libfirst.so", tmp_path / "libsecond.so"
    first.write_bytes(mini_plugin.read_bytes())
    second.write_bytes(mini_plugin.read_bytes())
    with pytest.raises(KeyError, match="libfirst.so and libsecond.so"):
        pipecorr.traverse(case, "LIN_3", plugins=[first, second])

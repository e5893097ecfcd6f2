"""Wrong arguments get a message that names them, and correlation names
follow the command's rules: the same choice and the same refusals."""

import subprocess

import numpy as np
import pytest

import pipecorr

POINT = dict(usl=1.0, usg=1.0, rol=800.0, rog=10.0, visl=1e-3, visg=1e-5,
             eps=1e-5, sigma=0.02, diam=0.1, fi=0.0, p=1e6)


def field_case(examples, tmp_path, correlation):
    """The field_well example with its `correlation` key replaced."""
    text = (examples / "field_well.case").read_text()
    assert "correlation = BB_3\n" in text
    case = tmp_path / "well.case"
    case.write_text(text.replace("correlation = BB_3\n",
                                 f"correlation = {correlation}\n"))
    (tmp_path / "field_well_survey.csv").write_bytes(
        (examples / "field_well_survey.csv").read_bytes())
    return case


def command_refusal(command, arguments, folder):
    done = subprocess.run([str(command), *arguments], capture_output=True,
                          text=True, cwd=folder)
    assert done.returncode != 0, done.stdout
    prefix = "pipecorr: error: "
    assert done.stderr.startswith(prefix), done.stderr
    return done.stderr[len(prefix):].strip()


# (job, the case's correlation key, Python's argument, the command's -c).
REFUSED = [
    ("traverse", "BB_3", ["BB_3", "bb_3"], "BB_3,bb_3"),
    ("traverse", "BB_3", "BB_3, bb_3", "BB_3, bb_3"),
    ("traverse", "BB_3", ["BB_3", ""], "BB_3,"),
    ("traverse", "BB_3", "BB_3,", "BB_3,"),
    ("lift", "BB_3, ORBA_3", None, None),
    ("lift", "BB_3", ["BB_3", "ORBA_3"], "BB_3,ORBA_3"),
    ("lift", "BB_3", "BB_3,ORBA_3", "BB_3,ORBA_3"),
]


@pytest.mark.parametrize("job, key, ours, theirs", REFUSED)
def test_names_are_refused_as_the_command_refuses_them(
        command, examples, tmp_path, job, key, ours, theirs):
    case = field_case(examples, tmp_path, key)
    run = pipecorr.traverse if job == "traverse" else pipecorr.lift_curves
    with pytest.raises(pipecorr.Error) as refused:
        run(case, ours, table="numpy")
    options = [] if theirs is None else ["-c", theirs]
    assert str(refused.value) == command_refusal(
        command, [job, str(case), *options], tmp_path)


# The case names ORBA_3; the catalogue's first is BB_2. A list is given to
# the command as its names joined by commas.
@pytest.mark.parametrize("ours, chosen", [
    (None, ["ORBA_3"]), ("", ["ORBA_3"]), ([], ["ORBA_3"]),
    (" bb_3 ", ["BB_3"]), ("BB_2, bb_3", ["BB_2", "BB_3"]),
    (["bb_3", " BB_2"], ["BB_3", "BB_2"])])
def test_names_choose_as_the_command_chooses(command, examples, tmp_path,
                                             ours, chosen):
    case = field_case(examples, tmp_path, "ORBA_3")
    done = pipecorr.traverse(case, ours, table="numpy")
    assert [t.correlation for t in done.traverses] == chosen
    given = ",".join(ours) if isinstance(ours, list) else ours
    options = [] if given is None else ["-c", given]
    marched = subprocess.run(
        [str(command), "traverse", str(case), *options, "-o", "out.csv"],
        capture_output=True, text=True, cwd=tmp_path)
    assert marched.returncode == 0, marched.stderr
    rows = (tmp_path / "out.csv").read_text().splitlines()[1:]
    names = [row.split(",")[0] for row in rows]
    assert list(dict.fromkeys(names)) == chosen


def test_lift_curves_take_a_list_of_one(examples):
    curves = pipecorr.lift_curves(examples / "field_well.case", ["bb_3"],
                                  table="numpy")
    assert curves.correlation == "BB_3"


SURVEY = {"md": [0.0, 3700.0], "inclination": [0.0, 0.0]}
WELL = {"title": "t", "units": "field", "survey": SURVEY,
        "inside_diameter": (2.441, "in"), "api": 41.06,
        "gas_gravity": 0.916, "oil_rate": "375 STB/d", "water_rate": 0,
        "glr": (480, "scf/STB"), "wellhead_pressure": 346.6,
        "wellhead_temperature": "80 F", "bottomhole_temperature": "134.4 F"}
MASKED = np.ma.masked_array([1.0, 2.0], mask=[False, True])


def calc(**changes):
    arguments = dict(POINT)
    arguments.update(changes)
    return pipecorr.Plugin().calc(arguments.pop("correlation", "BB_3"),
                                  **arguments)


def traverse(correlation=None, **changes):
    case = dict(WELL)
    case.update(changes.pop("case", {}))
    table = changes.pop("table", "numpy")
    return pipecorr.traverse(case, correlation, table=table, **changes)


# (what, exception, the message's pattern).
WRONG = [
    (lambda: calc(reentrant="no", threads=2), TypeError,
     r"reentrant must be True, False or None, not 'no'"),
    (lambda: calc(reentrant=1), TypeError, r"reentrant must be .* not 1"),
    (lambda: calc(usl=MASKED), TypeError,
     r"usl is a masked array with masked elements"),
    (lambda: calc(p=10**400), ValueError,
     r"p holds an integer beyond the range of a double"),
    (lambda: calc(rol=[800, 10**400]), ValueError,
     r"rol holds an integer beyond the range of a double"),
    (lambda: calc(correlation=3), TypeError,
     r"correlation must be a name \(str\), not int"),
    (lambda: traverse(3), TypeError,
     r"correlation must be a catalogue name.*not int"),
    (lambda: traverse(["BB_3", 3]), TypeError,
     r"correlation 2 of the list is int, not a name"),
    (lambda: pipecorr.lift_curves(WELL, 3), TypeError,
     r"correlation must be a catalogue name.*not int"),
    (lambda: traverse(plugin="x"), TypeError,
     r"plugin must be a pipecorr.Plugin.*not str"),
    (lambda: traverse(table="frame"), ValueError,
     r"table must be 'auto', 'numpy' or 'pandas', not 'frame'"),
    (lambda: traverse(case={"api": 10**400}), ValueError,
     r"case key 'api': an integer of 401 digits is beyond the range"),
    (lambda: traverse(case={"survey": {}}), ValueError,
     r"case key 'survey': the table has no columns"),
    (lambda: traverse(case={"survey": []}), ValueError,
     r"case key 'survey': the table has no rows"),
    (lambda: traverse(case={"survey": [{"md": 0, "inclination": 0},
                                       {"md": 3700, "incl": 0}]}),
     ValueError, r"case key 'survey': row 2 has the columns \['md', "
     r"'incl'\], row 1 has \['md', 'inclination'\]"),
    (lambda: traverse(case={"survey": {"md": [0, 3700],
                                       "inclination": [0]}}),
     ValueError, r"case key 'survey': the columns differ in length "
     r"\(md 2, inclination 1\)"),
    (lambda: traverse(case={"survey": {"md": np.ma.masked_array(
        [0, 1000, 3700], mask=[0, 1, 0]), "inclination": [0, 0, 0]}}),
     TypeError, r"case key 'survey': column 'md' is a masked array with "
     r"masked elements"),
    (lambda: traverse(case={"lift_rates": MASKED}), TypeError,
     r"case key 'lift_rates': a masked array with masked elements"),
]


@pytest.mark.parametrize("what, exception, message", WRONG)
def test_a_wrong_argument_is_named_in_its_message(what, exception, message):
    with pytest.raises(exception, match=message):
        what()


def test_a_masked_array_without_masked_elements_is_an_array():
    plain = calc(usl=np.array([1.0, 2.0]))
    masked = calc(usl=np.ma.masked_array([1.0, 2.0], mask=[False, False]))
    assert masked.dp.tolist() == plain.dp.tolist()

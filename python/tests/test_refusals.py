"""The package's half of the shared refusal table: each well-job request of
tests/shared/well_refusals.txt raises the table's exception with the
table's message, and with the very message the pipecorr command prints for
it (tests/cli/cli_refusal_table_test.cpp checks the command's half)."""

import pathlib
import subprocess

import pytest

import pipecorr

TABLE = (pathlib.Path(__file__).resolve().parents[2] / "tests" / "shared" /
         "well_refusals.txt")
ERROR_START = "pipecorr: error: "


def table_rows():
    rows = []
    for number, line in enumerate(TABLE.read_text().splitlines(), 1):
        if not line or line.startswith("#"):
            continue
        fields = [field.strip() for field in line.split(" | ")]
        assert len(fields) == 7, f"line {number}: {len(fields)} fields"
        rows.append(pytest.param(*fields, id=f"line{number}"))
    return rows


def write_case(examples, folder, case_name, key):
    text = (examples / case_name).read_text()
    if key != "-":
        name = key.split(" =")[0]
        lines = text.splitlines()
        at = next(k for k, line in enumerate(lines)
                  if line.startswith(name + " "))
        lines[at] = key
        text = "\n".join(lines) + "\n"
    (folder / "w.case").write_text(text)
    table = next(line.split("=")[1].split()[0] for line in text.splitlines()
                 if line.startswith(("survey ", "profile ")))
    (folder / table).write_text((examples / table).read_text())
    return folder / "w.case"


@pytest.mark.parametrize("job, case_name, key, names, step, kind, message",
                         table_rows())
def test_refused_as_the_command_refuses(examples, tmp_path, job, case_name,
                                        key, names, step, kind, message):
    case = write_case(examples, tmp_path, case_name, key)
    run = {"traverse": pipecorr.traverse, "lift": pipecorr.lift_curves}[job]
    expected = {"Error": pipecorr.Error, "KeyError": KeyError}[kind]
    with pytest.raises(expected) as raised:
        run(case, None if names == "-" else names,
            step=None if step == "-" else float(step))
    assert message in raised.value.args[0]


@pytest.mark.parametrize("job, case_name, key, names, step, kind, message",
                         table_rows())
def test_the_command_gives_the_same_message(command, examples, tmp_path, job,
                                            case_name, key, names, step,
                                            kind, message):
    case = write_case(examples, tmp_path, case_name, key)
    arguments = [str(command), job, str(case)]
    if names != "-":
        arguments += ["-c", names]
    if step != "-":
        arguments.append(f"--step={step}")
    done = subprocess.run(arguments, capture_output=True, text=True,
                          cwd=tmp_path)
    assert done.returncode == 1
    run = {"traverse": pipecorr.traverse, "lift": pipecorr.lift_curves}[job]
    with pytest.raises((pipecorr.Error, KeyError)) as raised:
        run(case, None if names == "-" else names,
            step=None if step == "-" else float(step))
    assert done.stderr == ERROR_START + raised.value.args[0] + "\n"


def test_a_pipeline_case_is_refused_as_the_commands_lift_refuses_it(
        command, examples, tmp_path):
    # The command's traverse marches a pipeline case; the package has only
    # the well jobs, and says so as the command's lift does.
    case = write_case(examples, tmp_path, "hilly_flowline.case", "-")
    done = subprocess.run([str(command), "lift", str(case)],
                          capture_output=True, text=True)
    with pytest.raises(pipecorr.Error) as raised:
        pipecorr.traverse(case)
    assert "a pipeline case" in raised.value.args[0]
    assert done.stderr == ERROR_START + raised.value.args[0] + "\n"

"""The example of docs/python.md runs as written."""

import contextlib
import io
import os
import pathlib
import re

import pytest


def example_code():
    docs = pathlib.Path(__file__).resolve().parents[2] / "docs" / "python.md"
    if not docs.is_file():
        pytest.skip("docs/python.md is not beside this checkout")
    section = docs.read_text().split("\n## Example\n", 1)[1]
    return re.search(r"```python\n(.*?)```", section, re.S).group(1)


def test_the_documented_example_runs(examples, tmp_path, monkeypatch):
    code = example_code()
    monkeypatch.chdir(tmp_path)
    os.symlink(examples, tmp_path / "examples")
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        exec(compile(code, "docs/python.md", "exec"), {})
    text = printed.getvalue()
    assert "level line: dp" in text and ", 0 failed" in text
    shares = [float(s) for s in re.findall(r"(\d+\.\d)% of the map", text)]
    assert sum(shares) == pytest.approx(100.0, abs=0.3)
    assert "bar at" in text
    assert (tmp_path / "field_well.svg").read_text().rstrip().endswith(
        "</svg>")
    try:
        import matplotlib  # noqa: F401
    except ImportError:
        assert "matplotlib is not installed" in text
    else:
        assert (tmp_path / "flow-map.png").stat().st_size > 1000

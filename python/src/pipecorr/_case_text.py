"""A field case given as a dict, written as the case file it stands for.

The keys are the case file's own keys and the values are written as the
case file writes them, so the one reader in hostkit serves files and dicts
alike, with the same checks and messages.
"""

from __future__ import annotations

import math
import numbers
import os
import re
from collections.abc import Mapping

import numpy as np

#: Keys whose value is a table (a CSV file in a case file).
TABLE_KEYS = ("survey", "pipe", "temperature_profile")

# The name a dict case goes by in messages; without a folder, so the files
# it names by relative path are found relative to the working directory.
DICT_SOURCE = "<dict case>"

_KEY = re.compile(r"[A-Za-z_][A-Za-z0-9_]*\Z")


def _number(key: str, value) -> str:
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"case key {key!r}: {value!r} is not a number")
    if isinstance(value, numbers.Integral):
        whole = int(value)
        try:
            float(whole)
        except OverflowError:
            raise ValueError(
                f"case key {key!r}: an integer of {len(str(abs(whole)))} "
                f"digits is beyond the range of a double") from None
        return str(whole)
    number = float(value)
    if not math.isfinite(number):
        raise ValueError(f"case key {key!r}: {number} is not finite")
    # repr is the shortest text that reads back as the same double.
    return repr(number)


def _text(key: str, value: str) -> str:
    if "\n" in value or "\r" in value:
        raise ValueError(f"case key {key!r}: a value is one line")
    # The case reader's rule: a '#' between blanks (or at an end) starts a
    # comment; "Well #3" is a title.
    if re.search(r"(?:^|[ \t])#(?:[ \t]|$)", value):
        raise ValueError(f"case key {key!r}: {value!r} would be cut at its "
                         f"'#', which starts a comment in a case file")
    return value.strip()


def _refuse_masked(key: str, value, what: str = "") -> None:
    if np.ma.isMaskedArray(value) and np.ma.is_masked(value):
        raise TypeError(
            f"case key {key!r}: {what}a masked array with masked elements, "
            f"which would be read like any other; fill them (.filled(value)) "
            f"or leave them out first")


def _value(key: str, value) -> str:
    _refuse_masked(key, value)
    if isinstance(value, str):
        return _text(key, value)
    if isinstance(value, os.PathLike):
        return _text(key, os.fspath(value))
    if isinstance(value, tuple) and len(value) == 2 and isinstance(
            value[1], str):
        # (number or numbers, unit): "346.6 psia", "100, 200 STB/d".
        return f"{_value(key, value[0])} {_text(key, value[1])}"
    if isinstance(value, (list, tuple, np.ndarray)):
        items = np.asarray(value, dtype=object).reshape(-1)
        return ", ".join(
            _text(key, v) if isinstance(v, str) else _number(key, v)
            for v in items)
    return _number(key, value)


def _columns(key: str, table) -> dict:
    """A table as {column: values}: a dict of columns, a list of rows
    (dicts), a numpy structured array or a pandas DataFrame."""
    if hasattr(table, "columns") and hasattr(table, "to_numpy"):
        return {str(c): table[c].to_numpy() for c in table.columns}
    if isinstance(table, np.ndarray) and table.dtype.names:
        return {name: table[name] for name in table.dtype.names}
    if isinstance(table, Mapping):
        return {str(c): v for c, v in table.items()}
    if isinstance(table, (list, tuple)) and table and all(
            isinstance(row, Mapping) for row in table):
        names = list(table[0])
        for number, row in enumerate(table[1:], 2):
            if set(row) != set(names):
                raise ValueError(
                    f"case key {key!r}: row {number} has the columns "
                    f"{list(row)}, row 1 has {names}")
        return {str(c): [row[c] for row in table] for c in names}
    if isinstance(table, (list, tuple)) and not table:
        raise ValueError(f"case key {key!r}: the table has no rows")
    raise TypeError(f"case key {key!r}: a table is a file name, a dict of "
                    f"columns, a list of row dicts, a structured array or a "
                    f"DataFrame")


def _csv(key: str, table) -> str:
    _refuse_masked(key, table, "the table is ")
    columns = _columns(key, table)
    if not columns:
        raise ValueError(f"case key {key!r}: the table has no columns")
    for name, values in columns.items():
        _refuse_masked(key, values, f"column {name!r} is ")
    lengths = {name: len(np.asarray(v).reshape(-1))
               for name, v in columns.items()}
    if len(set(lengths.values())) != 1:
        shown = ", ".join(f"{name} {n}" for name, n in lengths.items())
        raise ValueError(f"case key {key!r}: the columns differ in length "
                         f"({shown})")
    for name in columns:
        if not _KEY.match(name):
            raise ValueError(f"case key {key!r}: bad column name {name!r}")
    rows = zip(*(np.asarray(v).reshape(-1).tolist()
                 for v in columns.values()))
    lines = [",".join(columns)]
    lines += [",".join(_number(key, x) for x in row) for row in rows]
    return "\n".join(lines) + "\n"


def case_parts(case: Mapping) -> tuple:
    """The case-file text of a dict case and the tables it names, as
    ``(text, {name: csv_text})``; a table's name is ``<key>``."""
    lines = []
    files = {}
    for key, value in case.items():
        if not isinstance(key, str) or not _KEY.match(key):
            raise ValueError(f"case key {key!r} is not a case-file key")
        if value is None:
            continue
        if key in TABLE_KEYS and not isinstance(value, (str, os.PathLike)):
            name = f"<{key}>"
            files[name] = _csv(key, value)
            value = name
        lines.append(f"{key} = {_value(key, value)}")
    return "\n".join(lines) + "\n", files


def case_text(case: Mapping) -> str:
    """The case file a dict case stands for (its tables named ``<key>``).

    Values: a str is written as it is (``"346.6 psia"``); a number as the
    shortest decimal that reads back as the same double (the case's unit
    system then gives its unit); ``(number, "unit")`` as ``number unit``;
    a list of numbers comma-separated; a path-like as its path. ``survey``,
    ``pipe`` and ``temperature_profile`` also take a table (dict of
    columns, list of row dicts, structured array or DataFrame) with the
    case file's column names. ``None`` leaves the key out.
    """
    return case_parts(case)[0]

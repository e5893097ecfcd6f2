"""The field traverse, lift curves and lift table of a well case."""

from __future__ import annotations

import dataclasses
import numbers
import operator
import os
from collections.abc import Mapping
from typing import NamedTuple, Optional

import numpy as np

from . import _core
from ._case_text import DICT_SOURCE, case_parts
from ._plugin import Plugin, _thread_count, bundled_plugin_path

# Station columns from the extension, with the names the table gives them
# (SI units after the underscore, as the command's CSV names them).
_STATION_COLUMNS = (
    ("correlation", "correlation"),
    ("md", "md_m"),
    ("tvd", "tvd_m"),
    ("inclination", "inclination_deg"),
    ("fi", "fi_deg"),
    ("pressure", "pressure_Pa"),
    ("temperature", "temperature_K"),
    ("gradient", "gradient_Pa_per_m"),
    ("holdup", "holdup"),
    ("pattern", "pattern"),
    ("usl", "usl_m_per_s"),
    ("usg", "usg_m_per_s"),
    ("rol", "rol_kg_per_m3"),
    ("rog", "rog_kg_per_m3"),
    ("visl", "visl_Pa_s"),
    ("visg", "visg_Pa_s"),
    ("sigma", "sigma_N_per_m"),
    ("mass_flow", "mass_flow_kg_per_s"),
)

# Plug-ins loaded by path for the well jobs, kept loaded for the next job.
_loaded: dict = {}


def _load(path) -> Plugin:
    key = os.path.realpath(os.fspath(path))
    if key not in _loaded:
        _loaded[key] = Plugin(path)
    return _loaded[key]


def _bundled_plugins() -> list:
    """Every plug-in bundled with the package (pipecorr's own first), each
    loaded once; a missing one is FileNotFoundError naming its place."""
    folder = bundled_plugin_path().parent
    return [_load(folder / name) for name in _core.bundled_plugin_files()]


def _handles(plugin, plugins, case) -> list:
    """The plug-ins of a job, as the command chooses them: those given
    (``plugins``, or the one ``plugin``), else the case's ``plugins`` key,
    else every bundled plug-in."""
    if plugin is not None and plugins is not None:
        raise TypeError("give plugin or plugins, not both")
    if plugin is not None:
        if not isinstance(plugin, Plugin):
            raise TypeError(f"plugin must be a pipecorr.Plugin, or None for "
                            f"the bundled ones, not {type(plugin).__name__}")
        plugins = [plugin]
    if plugins is None:
        text, path, _ = _source(case)
        named = _core.case_plugins(text, path)
        chosen = [_load(file) for file in named] if named else (
            _bundled_plugins())
    else:
        if isinstance(plugins, (str, bytes, os.PathLike, Plugin)) or not (
                hasattr(plugins, "__iter__")):
            raise TypeError(f"plugins must be a list of pipecorr.Plugin "
                            f"objects or paths, not {type(plugins).__name__}")
        chosen = []
        for position, each in enumerate(plugins, 1):
            if isinstance(each, Plugin):
                chosen.append(each)
            elif isinstance(each, (str, os.PathLike)):
                chosen.append(_load(each))
            else:
                raise TypeError(f"plug-in {position} of the list is "
                                f"{type(each).__name__}, not a "
                                f"pipecorr.Plugin or a path")
        if not chosen:
            raise ValueError("plugins is empty: give at least one plug-in")
    for k, each in enumerate(chosen):
        for earlier in chosen[:k]:
            if os.path.samefile(earlier.path, each.path):
                raise ValueError(f"plug-in {each.path} is given twice")
    return [each._handle for each in chosen]


def _well_jobs():
    return _core


def _names(correlation):
    """The correlations asked for, for hostkit to read by the command's
    rules: a str as the command's ``-c`` takes it ("BB_3, ORBA_3"), a list
    of names one by one; ``None`` as no names."""
    if correlation is None:
        return []
    if isinstance(correlation, str):
        return correlation
    if isinstance(correlation, (bytes, Mapping)) or not hasattr(
            correlation, "__iter__"):
        raise TypeError(f"correlation must be a catalogue name, a comma "
                        f"list of them or a list of names, not "
                        f"{type(correlation).__name__}")
    names = list(correlation)
    for position, name in enumerate(names, 1):
        if not isinstance(name, str):
            raise TypeError(f"correlation {position} of the list is "
                            f"{type(name).__name__}, not a name (str)")
    return names


def _step(step) -> Optional[float]:
    """The longest march step as a float for hostkit to check, which
    refuses one that is not positive and finite as the command's
    ``--step``; ``None``: the case's."""
    if step is None:
        return None
    if isinstance(step, (bool, np.bool_)) or not isinstance(step,
                                                            numbers.Real):
        raise TypeError(f"step must be a length in the case's unit (a "
                        f"number), not "
                        f"{type(step).__name__}")
    try:
        return float(step)
    except OverflowError:
        raise ValueError(f"step {step} is beyond the range of a double "
                         f"(about 1.8e308)") from None


def _source(case) -> tuple:
    """(text or None, path, files) for the extension."""
    if isinstance(case, Mapping):
        text, files = case_parts(case)
        return text, DICT_SOURCE, files
    if isinstance(case, (str, os.PathLike)):
        return None, os.fspath(case), {}
    raise TypeError(f"a case is a path to a case file or a dict of its keys, "
                    f"not {type(case).__name__}")


def _check_table_kind(kind) -> None:
    if not isinstance(kind, str) or kind not in ("auto", "numpy", "pandas"):
        raise ValueError(f"table must be 'auto', 'numpy' or 'pandas', "
                         f"not {kind!r}")


def _table(columns: dict, kind: str):
    """A structured array, or a DataFrame when pandas is there and
    ``kind`` allows it ("auto", "numpy" or "pandas")."""
    _check_table_kind(kind)
    if kind != "numpy":
        try:
            import pandas
        except ImportError:
            if kind == "pandas":
                raise
        else:
            return pandas.DataFrame(columns)
    length = len(next(iter(columns.values()))) if columns else 0
    fields = []
    for name, values in columns.items():
        values = np.asarray(values)
        dtype = values.dtype if values.dtype.kind != "O" else "U40"
        if values.dtype.kind == "U" or (values.dtype.kind == "O"):
            width = max((len(v) for v in values), default=1)
            dtype = f"U{max(width, 1)}"
        fields.append((name, dtype))
    table = np.zeros(length, dtype=fields)
    for name, values in columns.items():
        table[name] = values
    return table


class TraverseSummary(NamedTuple):
    """How one correlation's traverse ended."""

    correlation: str
    completed: bool
    """True when the march reached the other end."""
    stopped: str
    """Why the march ended early; empty when completed."""
    answer: Optional[float]
    """The pressure at the other end, Pa (bottom-hole when the wellhead
    pressure is known, and the reverse); None when not completed."""
    evaluations: int
    """Correlation calls the march made."""


class Traverse:
    """The pressure traverse of a well, one march per correlation.

    Attributes:
        title: the case's title.
        table: every station of every traverse, top (wellhead) first within
            each correlation, in SI: a pandas DataFrame when pandas is
            installed (or asked for), otherwise a numpy structured array.
            Columns: ``correlation``, ``md_m``, ``tvd_m`` (positive down),
            ``inclination_deg`` (from vertical), ``fi_deg`` (from
            horizontal, uphill along the flow), ``pressure_Pa``,
            ``temperature_K``, ``gradient_Pa_per_m`` (positive when pressure
            falls along the flow), ``holdup``, ``pattern``, the
            correlation's inputs ``usl_m_per_s``, ``usg_m_per_s``,
            ``rol_kg_per_m3``, ``rog_kg_per_m3``, ``visl_Pa_s``,
            ``visg_Pa_s``, ``sigma_N_per_m``, and ``mass_flow_kg_per_s``.
        traverses: a :class:`TraverseSummary` per correlation.
        svg: the plot (pressure, temperature and holdup against depth) as
            SVG text.
        csv: the command's CSV of the same stations, in the case's units.
        text: the command's text report.
    """

    def __init__(self, raw: dict, kind: str):
        self.title = raw["title"]
        columns = raw["columns"]
        self.table = _table({new: columns[old]
                             for old, new in _STATION_COLUMNS}, kind)
        self.traverses = [TraverseSummary(**t) for t in raw["traverses"]]
        self.svg = raw["svg"]
        self.csv = raw["csv"]
        self.text = raw["text"]

    def __repr__(self) -> str:
        return f"<pipecorr.Traverse {self.title!r}: {self.traverses}>"


def traverse(case, correlation=None, *, step=None,
             plugin: Optional[Plugin] = None, plugins=None,
             table: str = "auto") -> Traverse:
    """The pressure traverse of a well case.

    Args:
        case: a case file's path, or a dict of its keys (see
            :func:`pipecorr.case_text`).
        correlation: a catalogue name, a comma list of them
            (``"BB_3, ORBA_3"``) or a list of names, read by the rules of
            the command's ``-c``: ``None``, ``""`` or ``[]``: those the
            case names, or the plug-in's first; an empty name in a list,
            or one correlation named twice in any spelling, is refused.
        step: the longest march step in the case's length unit (ft in a
            field case, m in an SI one), as the command's ``--step`` and
            the case's own ``step`` key; ``None``: the case's ``step``.
        plugin: the :class:`Plugin` to use.
        plugins: a list of :class:`Plugin` objects or plug-in paths whose
            correlations may all be named; a name two of them offer is
            refused naming both files. With neither ``plugin`` nor
            ``plugins``: the case's ``plugins`` key (files relative to the
            case file; to the working folder for a dict case), else every
            plug-in bundled with the package, as the command chooses.
        table: ``"auto"`` (a DataFrame when pandas is installed),
            ``"numpy"`` or ``"pandas"``.

    Runs inside the plug-in's open session if there is one, otherwise as a
    run of its own. A march that stops early (a correlation failure, a
    fluid outside its correlations' range, pressure running out) is not an
    exception: its summary says why.

    Raises:
        pipecorr.Error: the case cannot be read or cannot be marched at
            all (the message names the file, line and key); an empty name
            in the list; a correlation named twice; a ``step`` that is not
            a positive finite length, or so short the march would take too
            many steps.
        KeyError: an unknown correlation name.
        TypeError: ``correlation``, ``step``, ``plugin`` or ``case`` of a
            wrong type.
    """
    _check_table_kind(table)
    jobs = _well_jobs()
    names = _names(correlation)
    step = _step(step)
    handles = _handles(plugin, plugins, case)
    text, path, files = _source(case)
    raw = jobs.traverse_case(handles, text, path, files, names, step)
    return Traverse(raw, table)


class LiftCurves:
    """Lift curves of a well case: the bottom-hole pressure the well needs
    to lift each liquid rate.

    Attributes:
        title: the case's title.
        correlation: the catalogue name used.
        table: one row per point: ``curve`` (its index), the curve's
            ``gas_liquid_ratio_m3_per_m3`` (standard) and
            ``wellhead_pressure_Pa``, ``liquid_rate_m3_per_s`` (standard)
            and ``bottom_hole_pressure_Pa``; DataFrame or structured array
            as for :class:`Traverse`.
        curves: per curve a dict with those values as arrays, the
            ``failures`` (rates whose march stopped, with why), the
            ``crossings`` with the inflow curve (dicts of ``liquid_rate``,
            ``bottom_hole_pressure``, ``stable``, ``heading``: left of the
            curve's minimum) and the ``operating_point``, the stable
            crossing at the highest rate (such a dict) or None.
        svg, csv, text: the plot, CSV and report of the command, in the
            case's units.
    """

    def __init__(self, raw: dict, kind: str):
        self.title = raw["title"]
        self.correlation = raw["correlation"]
        self.curves = raw["curves"]
        columns = {"curve": [], "gas_liquid_ratio_m3_per_m3": [],
                   "wellhead_pressure_Pa": [], "liquid_rate_m3_per_s": [],
                   "bottom_hole_pressure_Pa": []}
        for index, curve in enumerate(self.curves):
            n = len(curve["liquid_rate"])
            columns["curve"] += [index] * n
            columns["gas_liquid_ratio_m3_per_m3"] += [
                curve["gas_liquid_ratio"]] * n
            columns["wellhead_pressure_Pa"] += [curve["wellhead_pressure"]] * n
            columns["liquid_rate_m3_per_s"] += list(curve["liquid_rate"])
            columns["bottom_hole_pressure_Pa"] += list(
                curve["bottom_hole_pressure"])
        columns = {k: np.asarray(v, dtype=np.int64 if k == "curve" else float)
                   for k, v in columns.items()}
        self.table = _table(columns, kind)
        self.svg = raw["svg"]
        self.csv = raw["csv"]
        self.text = raw["text"]

    @property
    def operating_points(self) -> list:
        """Per curve its operating point (dict) or None."""
        return [curve["operating_point"] for curve in self.curves]

    def __repr__(self) -> str:
        return (f"<pipecorr.LiftCurves {self.title!r}: {len(self.curves)} "
                f"curves, {self.correlation}>")


def lift_curves(case, correlation=None, *, step=None,
                plugin: Optional[Plugin] = None, plugins=None,
                table: str = "auto") -> LiftCurves:
    """Lift curves of a well case (its ``lift_*`` keys), with the operating
    point when the case gives an inflow curve.

    Args and session behaviour as for :func:`traverse`; the names (or,
    with ``None``, the case's ``correlation``) must give one correlation,
    as for the command's ``lift``.

    Raises:
        pipecorr.Error: the case cannot be read, asks for no rates, or has
            an incomplete inflow; more than one correlation; a bad
            ``step``.
        KeyError: an unknown correlation name.
        TypeError: as for :func:`traverse`.
    """
    _check_table_kind(table)
    jobs = _well_jobs()
    names = _names(correlation)
    step = _step(step)
    handles = _handles(plugin, plugins, case)
    text, path, files = _source(case)
    raw = jobs.lift_case(handles, text, path, files, names, step)
    return LiftCurves(raw, table)


@dataclasses.dataclass(eq=False)
class VfpTable:
    """A lift table for a reservoir simulator, as the command's ``vfp``
    computes and writes it, with its values in the deck's units (FIELD for
    a field case: rates STB/d, gas Mscf/d, pressures psia, depth ft, GOR
    and GLR Mscf/STB, WGR and OGR STB/Mscf; METRIC for an SI case: sm3/d,
    barsa, m, sm3/sm3; WCT and WOR as fractions in both).

    Attributes:
        text: the VFPPROD or VFPINJ keyword with its comment lines, the
            very text ``pipecorr vfp`` writes for the case.
        kind: ``"VFPPROD"`` (a producer) or ``"VFPINJ"`` (an injector).
        units: ``"FIELD"`` or ``"METRIC"``.
        datum_depth: the TVD the pressures are given at.
        rate_type: ``"OIL"``, ``"LIQ"``, ``"GAS"`` (or ``"WAT"`` for an
            injector).
        water_type, gas_type: ``"WCT"``, ``"WOR"`` or ``"WGR"``;
            ``"GOR"``, ``"GLR"`` or ``"OGR"``; None for VFPINJ, which has
            no such axes.
        rates, thp: the rate and tubing-head pressure axes.
        water, gas, alq: the water, gas and artificial-lift axes (alq holds
            one 0); None for VFPINJ.
        bhp: bottom-hole pressures at the datum, in the deck's order:
            shaped (thp, water, gas, alq, rate) for VFPPROD and
            (thp, rate) for VFPINJ.
        computed: of the same shape, False where no traverse gave the
            point and it was filled along its line of rates.
        summary: the lines the command prints on standard error (the
            points, then one per cause of filled points).
        completed: True when every point was computed.
        correlation, plugin: the catalogue name used and its file.
        threads: threads the points were marched on.
    """

    text: str
    kind: str
    units: str
    datum_depth: float
    rate_type: str
    water_type: Optional[str]
    gas_type: Optional[str]
    rates: np.ndarray
    thp: np.ndarray
    water: Optional[np.ndarray]
    gas: Optional[np.ndarray]
    alq: Optional[np.ndarray]
    bhp: np.ndarray
    computed: np.ndarray
    summary: list
    completed: bool
    correlation: str
    plugin: str
    threads: int

    def __repr__(self) -> str:
        return (f"<pipecorr.VfpTable {self.kind} {self.units} "
                f"{'x'.join(map(str, self.bhp.shape))}, {self.correlation}"
                f"{'' if self.completed else ', some points filled'}>")


def _table_number(table) -> int:
    if isinstance(table, (bool, np.bool_)):
        raise TypeError("table must be the table number (an int), not bool")
    try:
        number = operator.index(table)
    except TypeError:
        raise TypeError(f"table must be the table number (an int), not "
                        f"{type(table).__name__}") from None
    if not 1 <= number <= 9999:
        raise ValueError(f"table must be from 1 to 9999, not {number}")
    return number


def _datum(datum) -> Optional[str]:
    """The datum as the command's ``--datum`` takes it: a str as it is, a
    number as a TVD in the case's length unit."""
    if datum is None or isinstance(datum, str):
        return datum
    if isinstance(datum, (bool, np.bool_)) or not isinstance(datum,
                                                             numbers.Real):
        raise TypeError(f"datum must be 'md:D', 'tvd:D', a TVD (a str or "
                        f"a number) or None, not {type(datum).__name__}")
    return repr(float(datum))


def vfp(case, correlation=None, *, plugins=None, step=None, table: int = 1,
        datum=None, threads=None, plugin: Optional[Plugin] = None
        ) -> VfpTable:
    """The lift table of a well case for a reservoir simulator: VFPPROD for
    a producer, VFPINJ for an injector, as the command's ``vfp`` makes it
    (its axes from the case's ``vfp_*`` keys, defaults from the case for
    the rest).

    Args:
        case, correlation, plugins, plugin, step: as for :func:`traverse`;
            the names (or, with ``None``, the case's ``correlation``) must
            give one correlation.
        table: the table number wells refer to, 1 to 9999.
        datum: where the pressures are given, as the command's
            ``--datum``: ``"md:D"``, ``"tvd:D"`` or a TVD ``"D"`` (a
            number is taken as a TVD), in the case's length unit unless the
            text names one (``"9000 ft"``); ``None``: the TVD of the bottom
            of the well.
        threads: threads to march on, 1 to :data:`MAX_THREADS`, for a
            bundled correlation that keeps nothing between calls (any
            other marches on one); ``None``: one per core.

    The interpreter lock is released while the table is computed; Ctrl-C
    on the main thread stops it with KeyboardInterrupt. A point that no
    traverse gives is filled along its line of rates, not an exception:
    ``computed`` and ``summary`` say which and why.

    Raises:
        pipecorr.Error: the case cannot be read or gives no table (no
            wellhead pressure, an axis that would be all zero, ...), a
            datum that cannot be read or lies outside the well, more than
            one correlation, a bad ``step``, or no point of the table
            computed at all.
        KeyError: an unknown correlation name.
        TypeError: an argument of a wrong type.
        ValueError: ``table`` or ``threads`` out of range.
    """
    jobs = _well_jobs()
    names = _names(correlation)
    step = _step(step)
    number = _table_number(table)
    datum = _datum(datum)
    count = None if threads is None else _thread_count(threads)
    handles = _handles(plugin, plugins, case)
    text, path, files = _source(case)
    raw = jobs.vfp_case(handles, text, path, files, names, step, number,
                        datum, count, str(bundled_plugin_path().parent))
    for name in ("water_type", "gas_type", "water", "gas", "alq"):
        raw.setdefault(name, None)
    return VfpTable(**raw)

"""Loading a correlation plug-in and calling its correlations on arrays."""

from __future__ import annotations

import errno
import hashlib
import math
import numbers
import operator
import os
import pathlib
import sys
from typing import NamedTuple, Optional

import numpy as np

from . import _core

#: The interface's inputs in argument order, with their SI units.
INPUTS = (
    ("usl", "m/s", "superficial liquid velocity"),
    ("usg", "m/s", "superficial gas velocity"),
    ("rol", "kg/m3", "liquid density"),
    ("rog", "kg/m3", "gas density"),
    ("visl", "Pa s", "liquid viscosity"),
    ("visg", "Pa s", "gas viscosity"),
    ("eps", "m", "absolute wall roughness"),
    ("sigma", "N/m", "surface tension"),
    ("diam", "m", "pipe inside diameter"),
    ("fi", "deg", "inclination from horizontal, positive uphill"),
    ("p", "Pa", "pressure"),
)
_INPUT_NAMES = tuple(name for name, _, _ in INPUTS)

# pipecorr's own Beggs & Brill entries keep nothing between calls but the
# log switch; ORBA_3 keeps the engine's output vector.
_OWN_REENTRANT = frozenset({"BB_2", "BB_3"})
# More threads than this would only add start-up cost on any machine.
MAX_THREADS = 256

_PLUGIN_FILE = "pipecorr.dll" if sys.platform == "win32" else "libpipecorr.so"


def bundled_plugin_path() -> pathlib.Path:
    """The pipecorr plug-in installed inside this package.

    Its engine library (``libtwpc2032.so``) lies beside it, where the
    plug-in looks for it.
    """
    return pathlib.Path(__file__).resolve().parent / _PLUGIN_FILE


def _digest(path: pathlib.Path) -> str:
    sha = hashlib.sha256()
    with open(path, "rb") as stream:
        for block in iter(lambda: stream.read(1 << 20), b""):
            sha.update(block)
    return sha.hexdigest()


def _is_bundled_build(path: pathlib.Path) -> bool:
    """Whether ``path`` holds the very code of the bundled plug-in.

    Re-entrancy is a property of the code, so only the bundled file, or a
    byte-identical copy of it, is known to be pipecorr's own build.
    """
    bundled = bundled_plugin_path()
    try:
        if os.path.samefile(path, bundled):
            return True
        if os.path.getsize(path) != os.path.getsize(bundled):
            return False
        return _digest(path) == _digest(bundled)
    except OSError:
        return False


class CatalogueEntry(NamedTuple):
    """One row of a plug-in's catalogue (``DESCRIPTN_2``)."""

    name: str
    """The entry point's name, e.g. ``"BB_3"``."""
    type: int
    """The catalogue's type number (1 for every pipecorr entry)."""
    description: str
    """One line saying what the correlation is."""
    link_info: int
    """2: single-precision argument list; 3: double-precision list."""


class CalcResult:
    """What :meth:`Plugin.calc` returns: one element per point.

    All arrays have the broadcast shape of the inputs (0-d for scalars).

    Attributes:
        correlation: the catalogue name the points went through.
        dp: pressure gradient, Pa/m, positive when pressure falls along the
            flow; 0 where the point failed.
        holdup: liquid holdup, fraction; 0 where the point failed.
        pattern: flow-pattern code (int32): 5 segregated, 6 transition,
            7 intermittent, 8 distributed for Beggs & Brill; -1 where the
            point failed.
        ierr: 0 for success, otherwise the failure code (3) (int32).
        message: object array of str: the correlation's message where
            ``ierr`` is not 0, ``""`` elsewhere.
        threads: how many threads the points were split across.
    """

    __slots__ = ("correlation", "dp", "holdup", "pattern", "ierr", "message",
                 "threads")

    def __init__(self, correlation, dp, holdup, pattern, ierr, message,
                 threads):
        self.correlation = correlation
        self.dp = dp
        self.holdup = holdup
        self.pattern = pattern
        self.ierr = ierr
        self.message = message
        self.threads = threads

    @property
    def ok(self) -> np.ndarray:
        """Boolean array: True where the correlation gave a result."""
        return self.ierr == 0

    def __repr__(self) -> str:
        failed = int(np.count_nonzero(self.ierr))
        return (f"<CalcResult {self.correlation}: shape {self.dp.shape}, "
                f"{failed} failed>")


class Session:
    """A host run of a plug-in: its setup on entry, its cleanup on exit.

    Made by :meth:`Plugin.session`; use it in a ``with`` statement.
    """

    def __init__(self, handle, log: bool):
        self._handle = handle
        self._log = bool(log)

    def __enter__(self) -> "Session":
        self._handle.begin_session(self._log)
        return self

    def __exit__(self, *exc) -> None:
        self._handle.end_session()

    @property
    def logging(self) -> bool:
        """Whether the plug-in traces this run into ``usercorr.dbg``."""
        return self._handle.logging


def _numeric(name: str, value) -> np.ndarray:
    if np.ma.isMaskedArray(value) and np.ma.is_masked(value):
        # np.asarray would drop the mask and compute the masked elements.
        raise TypeError(
            f"{name} is a masked array with masked elements, which calc "
            f"would compute like any other; pass {name}.filled(value) or "
            f"only the points wanted")
    array = np.asarray(value)
    if array.dtype.kind == "O" and _all_numbers(array):
        # Python ints past the range of a double give an object array.
        try:
            return np.array([float(x) for x in array.reshape(-1)],
                            dtype=np.float64).reshape(array.shape)
        except OverflowError:
            raise ValueError(f"{name} holds an integer beyond the range of "
                             f"a double (about 1.8e308)") from None
    if array.dtype.kind not in "iuf":
        raise TypeError(
            f"{name} must be a number or an array of numbers, not "
            f"{type(value).__name__} (dtype {array.dtype})")
    return array.astype(np.float64, copy=False)


def _all_numbers(array: np.ndarray) -> bool:
    return array.size > 0 and all(
        isinstance(x, numbers.Real) and not isinstance(x, bool)
        for x in array.reshape(-1))


def _column(array: np.ndarray, shape) -> np.ndarray:
    # One value for every point is passed once; the extension reads it with
    # stride 0. Anything else is laid out as one value per point.
    if array.size == 1:
        return np.ascontiguousarray(array).reshape(1)
    if array.shape != shape:
        array = np.broadcast_to(array, shape)
    return np.ascontiguousarray(array).reshape(-1)


def _reentrant_choice(reentrant) -> Optional[bool]:
    # A truthy string such as "no" must not split the points.
    if reentrant is None or isinstance(reentrant, (bool, np.bool_)):
        return None if reentrant is None else bool(reentrant)
    raise TypeError(f"reentrant must be True, False or None, not "
                    f"{reentrant!r}")


def _thread_count(threads) -> int:
    try:
        count = operator.index(threads)
    except TypeError:
        raise TypeError(f"threads must be an int, not "
                        f"{type(threads).__name__}") from None
    if not 1 <= count <= MAX_THREADS:
        raise ValueError(f"threads must be from 1 to {MAX_THREADS}, "
                         f"not {count}")
    return count


class Plugin:
    """A correlation plug-in, loaded by path as a simulator loads one.

    Args:
        path: the plug-in library (``str`` or path-like). ``None`` loads the
            pipecorr plug-in bundled with this package.

    Raises:
        FileNotFoundError: no file at ``path``.
        pipecorr.Error: the file cannot be loaded, or lacks an export every
            plug-in must have (``DESCRIPTN_2``, ``CORR_INT_SETUP``,
            ``CORR_INT_CLEANUP``).
    """

    def __init__(self, path=None):
        target = bundled_plugin_path() if path is None else pathlib.Path(
            os.fspath(path))
        if not target.exists():
            raise FileNotFoundError(errno.ENOENT, "no plug-in library at",
                                    str(target))
        self._handle = _core.PluginHandle(str(target))
        self._own = _is_bundled_build(target)

    @property
    def path(self) -> pathlib.Path:
        """The library file as it was named."""
        return pathlib.Path(self._handle.path)

    @property
    def catalogue(self) -> list:
        """The correlations offered: a list of :class:`CatalogueEntry`."""
        return [CatalogueEntry(*row) for row in self._handle.catalogue()]

    @property
    def identification(self) -> Optional[list]:
        """The eight identification lines (``COPYRIGHT_I``), or ``None``
        for a plug-in that does not export them."""
        return self._handle.identification(False)

    @property
    def interface_identification(self) -> Optional[list]:
        """The identification lines of the interface variant
        (``COPYRIGHT_E``), or ``None``."""
        return self._handle.identification(True)

    @property
    def is_pipecorr_build(self) -> bool:
        """True when the library is the bundled pipecorr plug-in or a
        byte-identical copy of it, whose re-entrant entries are known."""
        return self._own

    def reentrant(self, correlation: str) -> bool:
        """Whether ``correlation`` may run on several threads at once.

        True only for ``BB_2`` and ``BB_3`` of pipecorr's own build
        (:attr:`is_pipecorr_build`); never for another plug-in's entries,
        which :meth:`calc` splits only when told ``reentrant=True``.

        Raises:
            KeyError: the catalogue has no such correlation.
        """
        return self._own and self._handle.resolve(correlation) in \
            _OWN_REENTRANT

    def session(self, log: bool = False) -> Session:
        """A run of the plug-in, for a ``with`` statement.

        On entry the plug-in's run setup (``CORR_INT_SETUP``), on exit its
        cleanup. With ``log=True`` an empty ``usercorr.dbg`` is first
        created in the working directory (never through a symbolic link,
        never in place of a FIFO or folder), so the plug-in traces the run
        into it. The plug-in traces whenever that file exists at setup,
        even with ``log=False``; :attr:`Session.logging` tells. A traced run
        computes on one thread.

        Outside a session every :meth:`calc` is a run of its own. Plugin
        objects of one file share one loaded library and so one run: any of
        them sees it (and :func:`traverse` joins it), none opens a second.

        Raises:
            RuntimeError: a session of this plug-in is already open.
            pipecorr.Error: ``usercorr.dbg`` cannot be created or used.
        """
        return Session(self._handle, log)

    def calc(self, correlation: str, *, usl, usg, rol, rog, visl, visg, eps,
             sigma, diam, fi, p, threads: int = 1,
             reentrant: Optional[bool] = None) -> CalcResult:
        """Calls a correlation for every point of the broadcast inputs.

        Every input is a number or an array of numbers; they broadcast
        against each other by numpy's rules, and the results have the
        broadcast shape. Units are SI: ``usl``, ``usg`` superficial liquid
        and gas velocities (m/s); ``rol``, ``rog`` densities (kg/m3);
        ``visl``, ``visg`` viscosities (Pa s); ``eps`` wall roughness (m);
        ``sigma`` surface tension (N/m); ``diam`` inside diameter (m);
        ``fi`` inclination in degrees from horizontal, positive uphill
        along the flow; ``p`` pressure (Pa). Single-precision entries
        (link info 2) get the inputs rounded to float.

        The loop runs in C++ with the interpreter lock released, one call of
        the plug-in's entry per point. A point the correlation cannot
        compute is a failed element (``ierr`` 3 and its message, dp and
        holdup 0, pattern -1), never an exception; a result that is not
        finite counts as such a failure too.

        Ctrl-C (or any signal whose Python handler raises) stops the loop
        within about 10 ms on every thread and raises in the caller. An
        exception the plug-in lets out of its entry, or memory running
        out, on any thread, stops every thread and is raised here as it
        would be on one thread, with notes naming the point it was met at
        and how many other threads met one.

        Args:
            correlation: catalogue name, matched exactly or else ignoring
                case when that picks out one entry.
            threads: split the points across this many threads (1 to
                :data:`MAX_THREADS`) when the correlation is re-entrant
                and the run is not traced; otherwise one thread is used.
            reentrant: ``None`` applies :meth:`reentrant`; ``True`` states
                that this plug-in's entry may run on several threads at once
                (for a third-party plug-in you know); ``False`` keeps it on
                one thread. Nothing else is taken.

        Returns:
            A :class:`CalcResult`.

        Raises:
            KeyError: unknown or ambiguous correlation name.
            TypeError: an input that is not numeric or is a masked array
                (fill it first: calc would compute the masked elements); a
                missing input; ``reentrant`` not a bool or None.
            ValueError: inputs whose shapes do not broadcast; an integer
                beyond the range of a double; ``threads`` out of range;
                ``reentrant=True`` for an entry of pipecorr's own that keeps
                state between calls.
            KeyboardInterrupt: Ctrl-C during the loop.
            MemoryError, RuntimeError: what the plug-in let out of its
                entry (see above).
        """
        if not isinstance(correlation, str):
            raise TypeError(f"correlation must be a name (str), not "
                            f"{type(correlation).__name__}")
        name = self._handle.resolve(correlation)
        count_threads = _thread_count(threads)
        reentrant = _reentrant_choice(reentrant)
        values = (usl, usg, rol, rog, visl, visg, eps, sigma, diam, fi, p)
        arrays = [_numeric(n, v) for n, v in zip(_INPUT_NAMES, values)]
        try:
            shape = np.broadcast_shapes(*(a.shape for a in arrays))
        except ValueError:
            shapes = ", ".join(f"{n} {a.shape}"
                               for n, a in zip(_INPUT_NAMES, arrays)
                               if a.ndim)
            raise ValueError(
                f"the inputs' shapes do not broadcast together: {shapes}"
            ) from None
        count = math.prod(shape)
        if reentrant is None:
            split = self._own and name in _OWN_REENTRANT
        elif reentrant and self._own and name not in _OWN_REENTRANT:
            raise ValueError(
                f"{name} of pipecorr keeps state from one call to the next; "
                f"it cannot run on several threads at once")
        else:
            split = reentrant
        columns = [_column(a, shape) for a in arrays]
        dp, holdup, pattern, ierr, failed, messages, used = self._handle.calc(
            name, columns, count, count_threads, split)
        message = np.full(count, "", dtype=object)
        if len(failed):
            message[failed] = np.array(messages, dtype=object)
        return CalcResult(name, dp.reshape(shape), holdup.reshape(shape),
                          pattern.reshape(shape), ierr.reshape(shape),
                          message.reshape(shape), used)

    def __repr__(self) -> str:
        return f"<pipecorr.Plugin {str(self.path)!r}>"

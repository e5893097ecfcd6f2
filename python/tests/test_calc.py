"""Plugin.calc: broadcasting, failed elements, bad arguments, threads and
the interpreter's floating-point state."""

import numpy as np
import pytest

import pipecorr
from pipecorr import _core

# A liquid-rich upward point of each correlation's domain (SI).
POINT = dict(usl=0.5, usg=2.0, rol=850.0, rog=40.0, visl=3e-3, visg=1.3e-5,
             eps=4.6e-5, sigma=0.025, diam=0.1016, fi=0.0, p=4e6)


def test_inputs_broadcast_and_each_element_is_its_own_point(plugin):
    usl = np.array([[0.1], [0.5], [2.0]])      # (3, 1)
    usg = np.array([0.3, 1.0, 4.0, 20.0])      # (4,)
    args = dict(POINT, usl=usl, usg=usg, fi=np.float32(10))
    grid = plugin.calc("BB_3", **args)
    assert grid.dp.shape == grid.message.shape == (3, 4)
    for i in range(3):
        for j in range(4):
            one = plugin.calc("BB_3", **dict(args, usl=usl[i, 0], usg=usg[j]))
            assert one.dp.shape == ()
            assert (one.dp, one.holdup, one.pattern) == (
                grid.dp[i, j], grid.holdup[i, j], grid.pattern[i, j])
    # Four different patterns across the grid, so rows and columns were
    # not swapped into the same answer.
    assert len(set(grid.pattern.ravel())) >= 3
    empty = plugin.calc("BB_3", **dict(POINT, usl=np.zeros((0, 2))))
    assert empty.dp.shape == empty.ierr.shape == (0, 2)


def test_a_failing_point_is_a_failed_element_not_an_exception(plugin):
    result = plugin.calc("BB_2", **dict(POINT, usl=[0.5, -1.0, 0.0],
                                         usg=[2.0, 2.0, 0.0]))
    assert result.ierr.tolist() == [0, 3, 3]
    assert result.ok.tolist() == [True, False, False]
    assert result.dp[1:].tolist() == [0.0, 0.0]
    assert result.pattern[1:].tolist() == [-1, -1]
    assert result.message[0] == ""
    assert "negative" in result.message[1]
    assert result.message[2].startswith("Unable to calculate flow regime")
    assert result.dp.dtype == np.float64 and result.pattern.dtype == np.int32


@pytest.mark.parametrize("change, error, words", [
    (dict(correlation="BB_9"), KeyError, "unknown correlation 'BB_9'"),
    (dict(correlation=3), TypeError, "correlation must be a name"),
    (dict(usl=[1.0, 2.0], usg=[1.0, 2.0, 3.0]), ValueError,
     "do not broadcast together: usl (2,), usg (3,)"),
    (dict(rol=["850"]), TypeError, "rol must be a number"),
    (dict(p=None), TypeError, "p must be a number"),
    (dict(diam=1 + 2j), TypeError, "diam must be a number"),
    (dict(threads=0), ValueError, "threads must be from 1"),
    (dict(threads=2.0), TypeError, "threads must be an int"),
    (dict(correlation="ORBA_3", threads=2, reentrant=True), ValueError,
     "ORBA_3 of pipecorr keeps state"),
])
def test_bad_arguments_raise_clear_exceptions(plugin, change, error, words):
    args = dict(POINT, correlation="BB_3")
    args.update(change)
    name = args.pop("correlation")
    with pytest.raises(error, match=words.replace("(", r"\(").replace(
            ")", r"\)")):
        plugin.calc(name, **args)


def test_a_missing_input_is_a_type_error(plugin):
    args = dict(POINT)
    del args["visg"]
    with pytest.raises(TypeError, match="visg"):
        plugin.calc("BB_3", **args)


def test_threads_give_the_same_bits_as_one_thread(plugin):
    from conftest import random_points
    points = random_points(20001, seed=7)
    for name in ("BB_2", "BB_3"):
        one = plugin.calc(name, **points)
        for threads in (2, 3):
            many = plugin.calc(name, **points, threads=threads)
            assert many.threads == threads
            for field in ("dp", "holdup", "pattern", "ierr", "message"):
                assert same_bits(getattr(one, field),
                                 getattr(many, field)), (name, field)
    # ORBA_3 keeps state.
    assert plugin.calc("ORBA_3", **POINT, threads=2).threads == 1
    assert plugin.calc("BB_3", **POINT, threads=4).threads == 1  # one point


def test_another_plugin_runs_on_threads_only_when_the_caller_says_so(
        mini_plugin):
    from conftest import random_points
    points = random_points(1000, seed=3)
    stranger = pipecorr.Plugin(mini_plugin)
    name = stranger.catalogue[0].name
    assert not stranger.is_pipecorr_build
    assert stranger.calc(name, **points, threads=2).threads == 1
    assert stranger.calc(name, **points, threads=2,
                         reentrant=True).threads == 2


def same_bits(a, b):
    if a.dtype.kind == "f":
        return a.shape == b.shape and np.array_equal(a.view(np.uint64),
                                                     b.view(np.uint64))
    return np.array_equal(a, b)


MXCSR_TRAPS = 0x0004 | 0x0001 | 0x0008  # divide-by-zero, invalid, overflow
MXCSR_FLAGS = 0x003F


@pytest.mark.skipif(_core._fp_state() is None,
                    reason="no x86 floating-point state to read")
@pytest.mark.parametrize("rounding", [0x0000, 0x2000, 0x4000, 0x6000])
def test_the_interpreters_floating_point_state_is_untouched(plugin, rounding):
    # A host running with traps for divide-by-zero, invalid and overflow,
    # any rounding mode, and the inexact and invalid flags already raised:
    # a call that left a mode or a flag behind, or raised a trapped
    # exception, shows here (or stops the process).
    from conftest import random_points
    from pipecorr._plugin import _column
    points = random_points(5000, seed=11)
    columns = [_column(v, (5000,)) for v in points.values()]
    host = (0x1F80 & ~(MXCSR_TRAPS << 7)) | rounding | 0x0021
    before = _core._fp_state()
    for name in ("BB_2", "BB_3", "ORBA_3"):
        # The extension's loop, hostkit and the plug-in, exactly.
        split = plugin.reentrant(name)
        state, raw = _core._fp_around(
            host, lambda: plugin._handle.calc(name, columns, 5000, 2, split))
        assert state == (host, before[1]), f"{name}: {state[0]:#06x}"
        assert len(raw[4]) > 0 or name == "ORBA_3"  # failures went through
        # The whole call from Python: numpy clears and reads the flags
        # around its own work, so only the modes and traps are compared.
        state, result = _core._fp_around(
            host & ~MXCSR_FLAGS, lambda: plugin.calc(name, **points))
        assert state[0] & ~MXCSR_FLAGS == host & ~MXCSR_FLAGS
        assert np.array_equal(result.dp, raw[0])
    assert _core._fp_state() == before

"""Fixtures of the package's tests: the plug-in, the command and the
third-party test plug-in of the build tree, and random points."""

import os
import pathlib

import numpy as np
import pytest

import pipecorr


@pytest.fixture(scope="session")
def plugin():
    return pipecorr.Plugin()


def _built(variable, what):
    path = os.environ.get(variable)
    if not path:
        pytest.skip(f"{what} is not built here (set {variable})")
    return pathlib.Path(path)


@pytest.fixture(scope="session")
def command():
    """The pipecorr command of the same build: hostkit's own C++ loops."""
    return _built("PIPECORR_COMMAND", "the pipecorr command")


@pytest.fixture(scope="session")
def mini_plugin():
    """A third-party plug-in: pipecorr knows nothing of its entries."""
    return _built("MINI_PLUGIN", "the minimal test plug-in")


@pytest.fixture(scope="session")
def examples():
    return _built("PIPECORR_EXAMPLES", "the examples folder")


def random_points(count, seed):
    """Inputs over the whole domain and past it: every Beggs & Brill
    pattern and friction piece, dry gas and liquid only, and points the
    correlations must refuse (no flow, negative velocities)."""
    rng = np.random.default_rng(seed)

    def log_uniform(low, high):
        return np.exp(rng.uniform(np.log(low), np.log(high), count))

    usl = log_uniform(1e-4, 10.0)
    usg = log_uniform(1e-3, 100.0)
    usl[rng.random(count) < 0.05] = 0.0
    usg[rng.random(count) < 0.05] = 0.0
    usl[rng.random(count) < 0.01] *= -1.0
    return dict(
        usl=usl, usg=usg,
        rol=rng.uniform(500.0, 1100.0, count),
        rog=log_uniform(0.5, 300.0),
        visl=log_uniform(1e-4, 0.5),
        visg=log_uniform(5e-6, 5e-5),
        eps=rng.uniform(0.0, 1e-3, count),
        sigma=rng.uniform(0.005, 0.08, count),
        diam=log_uniform(0.02, 1.0),
        fi=rng.uniform(-90.0, 90.0, count),
        p=log_uniform(1e5, 5e7))

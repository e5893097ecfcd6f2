"""pipecorr: two-phase pipe-flow correlations from Python.

Loads a correlation plug-in (the bundled pipecorr plug-in, or any library of
the same interface), and calls its correlations on numpy arrays in C++,
through the plug-in's own entry points::

    import pipecorr
    plugin = pipecorr.Plugin()
    result = plugin.calc("BB_3", usl=[0.5, 1.0], usg=2.0, rol=850, rog=40,
                         visl=3e-3, visg=1.3e-5, eps=4.6e-5, sigma=0.025,
                         diam=0.1016, fi=0, p=4e6)
    result.dp        # Pa/m, positive when pressure falls along the flow

:func:`traverse` and :func:`lift_curves` run the field traverse of a well
case, :func:`vfp` its lift table for a reservoir simulator. All
quantities are SI but the lift table's, in the deck's units;
docs/python.md has the whole guide.
"""

from ._core import Error
from ._case_text import case_text
from ._plugin import (INPUTS, MAX_THREADS, CalcResult, CatalogueEntry, Plugin,
                      Session, bundled_plugin_path)
from ._well import (LiftCurves, Traverse, TraverseSummary, VfpTable,
                    lift_curves, traverse, vfp)

__version__ = "1.0.0"

Error.__doc__ = ("A problem the host side reports in the user's terms: a "
                 "plug-in that cannot be loaded, a case that cannot be "
                 "read, a log file that cannot be used.")

__all__ = [
    "CalcResult", "CatalogueEntry", "Error", "INPUTS", "LiftCurves",
    "MAX_THREADS", "Plugin", "Session", "Traverse", "TraverseSummary",
    "VfpTable", "bundled_plugin_path", "case_text", "lift_curves",
    "traverse", "vfp",
]

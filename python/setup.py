"""Builds the extension with the project's own CMake.

The extension stands on the C++ host library in the source tree around this
folder, so `pip install ./python` configures that tree with CMake (only the
plug-in, its engine, the host library and the extension; no tests, no
command), builds it, and copies the extension, the plug-in and the engine
library into the package. Everything comes from the machine: CMake, Ninja
or Make, a C++20 compiler, the interpreter's headers, numpy and pybind11.

Nothing is written into the source tree: setuptools' build folder (the
CMake tree among it) and the package metadata go to a temporary folder,
removed when the build ends, or to $PIPECORR_BUILD_DIR when that is set,
which is kept so the next build there is incremental.
"""

import atexit
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = pathlib.Path(__file__).resolve().parent
SOURCE_TREE = HERE.parent


def build_folder() -> pathlib.Path:
    """Where setuptools and CMake build: $PIPECORR_BUILD_DIR, or a fresh
    temporary folder that is removed at the end."""
    chosen = os.environ.get("PIPECORR_BUILD_DIR")
    if chosen:
        folder = pathlib.Path(chosen).resolve()
        if folder == HERE or HERE in folder.parents:
            raise RuntimeError(
                f"PIPECORR_BUILD_DIR={chosen} lies inside {HERE}; the build "
                f"goes outside the package's sources")
        folder.mkdir(parents=True, exist_ok=True)
        return folder
    folder = pathlib.Path(tempfile.mkdtemp(prefix="pipecorr-build-"))
    atexit.register(shutil.rmtree, folder, ignore_errors=True)
    return folder


BUILD = build_folder()


class CMakeBuild(build_ext):
    """build_ext that lets the project's CMake build the package folder."""

    def build_extension(self, ext):
        if not (SOURCE_TREE / "CMakeLists.txt").is_file():
            raise RuntimeError(
                f"the pipecorr source tree is not around {HERE}: the "
                f"package is built from a checkout of it")
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(SOURCE_TREE), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DPIPECORR_BUILD_TESTS=OFF", "-DPIPECORR_BUILD_BENCH=OFF",
            "-DPIPECORR_BUILD_TOOLS=OFF", "-DPIPECORR_BUILD_PYTHON=ON",
            "-DPIPECORR_REQUIRE_PYTHON=ON",
            f"-DPython3_EXECUTABLE={sys.executable}",
            # The copies in the package find each other by $ORIGIN only.
            "-DCMAKE_BUILD_RPATH_USE_ORIGIN=ON",
        ]
        if shutil.which("ninja") and not (build / "CMakeCache.txt").exists():
            configure += ["-G", "Ninja"]
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(build), "--target",
                        "pipecorr_python", "--parallel", jobs], check=True)
        built = build / "python" / "pipecorr"
        target = pathlib.Path(self.get_ext_fullpath(ext.name)).parent
        target.mkdir(parents=True, exist_ok=True)
        for path in built.iterdir():
            if path.suffix != ".py":
                shutil.copy2(path, target / path.name)


(BUILD / "metadata").mkdir(exist_ok=True)
setup(ext_modules=[Extension("pipecorr._core", sources=[])],
      cmdclass={"build_ext": CMakeBuild},
      options={"build": {"build_base": str(BUILD / "setuptools")},
               "egg_info": {"egg_base": str(BUILD / "metadata")}})

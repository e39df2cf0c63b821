"""The package renderer for pip: python/renderer, with its extension built
by CMake (target renderer_python, the library's own build and flags) and
the seven demo images drawn by make-textures."""
import os
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    """Configures and builds the extension's targets, then copies them in."""

    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
            f"-DPython3_EXECUTABLE={sys.executable}", "-DRENDERER_PYTHON=ON",
            "-DRENDERER_BUILD_TESTS=OFF", "-DRENDERER_BUILD_APP=OFF",
            "-DRENDERER_BUILD_BENCH=OFF",
        ]
        # Extra configure arguments, e.g. a compiler launcher.
        configure += os.environ.get("RENDERER_CMAKE_ARGS", "").split()
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build), "--target",
                        "renderer_python", "demo_textures"], check=True)
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        built = next((build / "python" / "renderer").glob("_renderer*.so"))
        shutil.copyfile(built, target)
        shutil.copytree(build / "textures", target.parent / "textures",
                        dirs_exist_ok=True)


setup(
    packages=["renderer"],
    package_dir={"": "python"},
    package_data={"renderer": ["__init__.pyi", "py.typed"]},
    ext_modules=[Extension("renderer._renderer", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
)

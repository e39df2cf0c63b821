#!/usr/bin/env bash
# Installs the Python module both ways from a fresh copy of the sources
# (the files git tracks, as a clone has them, with uncommitted changes), each
# into its own temporary place, and checks that each import draws the demo
# as the build tree's module does:
#   1. pip install --no-build-isolation --no-index into a venv made with
#      --system-site-packages (Debian's setuptools, pybind11 and NumPy);
#   2. cmake -DRENDERER_PYTHON=ON, cmake --install to a prefix, the module
#      imported from the prefix's lib/pythonX.Y/site-packages.
# Usage: install_test.sh SOURCE_DIR WORK_DIR PYTHON BUILD_PYTHON_DIR
set -euo pipefail
source_dir=$1 work=$2 python=$3 build_python=$4

rm -rf "$work"
mkdir -p "$work/src"
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
   xargs -0 tar cf - --ignore-failed-read 2>/dev/null) | tar xf - -C "$work/src"

# Both builds compile the library once more; ccache (when present) makes
# repeated runs quick.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$work CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# The demo after 5 steps drawn with the package's own images: a hash of
# colour and depth.
check='
import hashlib, renderer
scene = renderer.demo(); scene.step(5)
frame = renderer.render(scene, 320, 240)
print(hashlib.sha256(frame.color.tobytes() + frame.depth.tobytes()).hexdigest())
'
expected=$(cd "$work" && PYTHONPATH=$build_python "$python" -c "
import renderer, os
renderer._DEMO_TEXTURES = os.environ['RENDERER_TEXTURES']
$check")

echo "== pip install . into a venv"
"$python" -m venv --system-site-packages "$work/venv"
RENDERER_CMAKE_ARGS="${launcher[*]}" "$work/venv/bin/pip" install --quiet \
  --no-build-isolation --no-index "$work/src"
got=$(cd "$work" && "$work/venv/bin/python" -c "$check")
[[ "$got" == "$expected" ]] || { echo "pip install: $got, expected $expected"; exit 1; }

echo "== cmake --install to a prefix"
cmake -S "$work/src" -B "$work/cmake-build" -G Ninja -DRENDERER_PYTHON=ON \
  -DPython3_EXECUTABLE="$python" -DRENDERER_BUILD_TESTS=OFF \
  -DRENDERER_BUILD_APP=OFF -DRENDERER_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$work/cmake-build" --target renderer_python >/dev/null
cmake --install "$work/cmake-build" --prefix "$work/prefix" --component python >/dev/null
site=$(cd "$work/prefix" && echo lib*/python3*/site-packages)
got=$(cd "$work" && PYTHONPATH="$work/prefix/$site" "$python" -c "$check")
[[ "$got" == "$expected" ]] || { echo "cmake --install: $got, expected $expected"; exit 1; }
echo "both installs draw the demo as the build tree does"

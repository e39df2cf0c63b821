"""The Python examples run and write what they say."""
import os
import pathlib
import subprocess
import sys

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples" / "python"


def run(tmp_path, script, *arguments):
    return subprocess.run([sys.executable, str(EXAMPLES / script), *arguments],
                          check=True, capture_output=True, text=True, cwd=tmp_path,
                          env=dict(os.environ)).stdout


def test_surface_from_arrays(tmp_path):
    run(tmp_path, "surface_from_arrays.py", "surface.png")
    assert (tmp_path / "surface.png").stat().st_size > 1000


def test_sequence_on_several_processes_equals_one(tmp_path, demo_textures):
    out = subprocess.run(
        [sys.executable, str(EXAMPLES / "sequence_multiprocessing.py"), "8"],
        check=True, capture_output=True, text=True, cwd=demo_textures).stdout
    assert "8 frames on" in out and "equal one process's" in out


def test_depth_views_of_a_generated_model(tmp_path):
    import numpy as np
    from conftest import MODELS
    run(tmp_path, "depth_views.py", str(MODELS / "cube.glb"), "views")
    for view in range(8):
        depth = np.load(tmp_path / "views" / f"view-{view}-depth.npy")
        assert depth.shape == (480, 640) and np.isfinite(depth).any()
        assert (tmp_path / "views" / f"view-{view}-depth.png").stat().st_size > 0

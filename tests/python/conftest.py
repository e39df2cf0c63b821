"""Shared helpers: render-scene's raw dumps, the demo images and models."""
import os
import pathlib
import subprocess

import numpy as np
import pytest

RENDER_SCENE = os.environ.get("RENDER_SCENE", "")
TEXTURES = os.environ.get("RENDERER_TEXTURES", "")
MODELS = pathlib.Path(os.environ.get("RENDERER_MODELS", ""))


def read_raw(path):
    """A render-scene --raw dump as (RGB uint8 (H, W, 3), depth float32 (H, W))."""
    data = pathlib.Path(path).read_bytes()
    assert data[:4] == b"RFRM"
    width, height = np.frombuffer(data[4:12], "<u4")
    count = int(width) * int(height)
    pixels = np.frombuffer(data[12:12 + 4 * count], "<u4").reshape(height, width)
    depth = np.frombuffer(data[12 + 4 * count:], "<f4").reshape(height, width)
    rgb = np.stack([(pixels >> 16) & 255, (pixels >> 8) & 255, pixels & 255],
                   axis=-1).astype(np.uint8)
    return rgb, depth


def render_scene_raw(tmp_path, *arguments):
    """render-scene run with `arguments` and --raw, its dump read back."""
    raw = tmp_path / "frame.raw"
    subprocess.run([RENDER_SCENE, *arguments, "--raw", str(raw)], check=True,
                   capture_output=True)
    return read_raw(raw)


def stored_depth(depth):
    """Frame.depth as the depth buffer stores it: inf back to 9.0e20."""
    stored = depth.copy()
    stored[np.isinf(stored)] = np.float32(9.0e20)
    return stored


@pytest.fixture
def demo_textures():
    assert os.path.isdir(TEXTURES), "RENDERER_TEXTURES names no folder"
    return TEXTURES

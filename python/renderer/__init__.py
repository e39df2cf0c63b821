"""A CPU renderer with exact depth, without a GPU or GL.

Scenes of meshes in, colour and camera-space depth out as NumPy arrays; the
same bits on every machine and thread count::

    import renderer
    scene = renderer.demo()
    frame = renderer.Renderer(800, 600).render(scene)
    frame.color   # (600, 800, 3) uint8
    frame.depth   # (600, 800) float32, inf where nothing is drawn
"""
import os as _os

from ._renderer import (Frame, Mesh, Object, Renderer, Scene, Texture, mesh,
                        render, texture)
from . import _renderer

__all__ = ["Frame", "Mesh", "Object", "Renderer", "Scene", "Texture", "demo",
           "mesh", "render", "texture"]

# The seven demo images, when the package was installed with them.
_DEMO_TEXTURES = _os.path.join(_os.path.dirname(__file__), "textures")


def demo(textures=None):
    """The demo scene: the built-in cube with four fins, at (0, 0, 3200).

    Its seven images are read from the folder `textures` (each by its bare
    name, then from ../../__pic/__face/ beside it); by default from the
    images installed with the package, else the working directory. An image
    found nowhere leaves its faces undrawn.
    """
    if textures is None:
        textures = _DEMO_TEXTURES if _os.path.isdir(_DEMO_TEXTURES) else ""
    return _renderer.demo(_os.fspath(textures))

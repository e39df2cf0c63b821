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
           "load", "mesh", "render", "texture"]

# The seven demo images, when the package was installed with them.
_DEMO_TEXTURES = _os.path.join(_os.path.dirname(__file__), "textures")


def demo(textures=None):
    """The demo scene: the built-in cube with four fins, at (0, 0, 3200).

    Its seven images are read from the folder `textures` (each by its bare
    name, then from ../../__pic/__face/ beside it); by default from the
    images installed with the package, else the working directory. An image
    found nowhere leaves its faces undrawn.
    """
    return _renderer.demo(_textures_folder(textures))


def load(path, textures=None):
    """The scene of a scene file (.json) or model file (.obj, .gltf, .glb).

    Read exactly as `render-scene --scene path` reads it: sizes, camera,
    objects, transforms and animation steps from the file; a model file
    becomes its model scene (object 0 the light, object 1 the model). The
    built-in model's images, when the file shows it and names no folder,
    come from `textures` as for demo(). A refused file raises ValueError
    with render-scene's line ("FILE: place: problem"), a missing one
    FileNotFoundError; images that cannot be read give a warning each.
    """
    return _renderer.load(_os.fspath(path), _textures_folder(textures))


def _textures_folder(textures):
    if textures is None:
        return _DEMO_TEXTURES if _os.path.isdir(_DEMO_TEXTURES) else ""
    return _os.fspath(textures)

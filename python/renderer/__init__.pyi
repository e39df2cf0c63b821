"""A CPU renderer with exact depth: meshes and arrays in, colour and
camera-space depth out as NumPy arrays."""
import os
from typing import Optional, Sequence, Tuple, Union

import numpy as np
import numpy.typing as npt

_Path = Union[str, os.PathLike]
_Array = npt.ArrayLike

class Texture:
    """An image that textured faces sample; pure white texels are see-through."""
    @property
    def width(self) -> int: ...
    @property
    def height(self) -> int: ...
    @property
    def pixels(self) -> npt.NDArray[np.uint8]:
        """The texels as a new (H, W, 3) uint8 array."""

class Mesh:
    """A triangle mesh in whole model units, with the textures its faces use."""
    @property
    def vertices(self) -> npt.NDArray[np.int32]: ...
    @property
    def faces(self) -> npt.NDArray[np.int32]: ...
    @property
    def colors(self) -> npt.NDArray[np.uint8]: ...
    @property
    def uv(self) -> npt.NDArray[np.float64]: ...
    @property
    def face_textures(self) -> npt.NDArray[np.int32]: ...
    @property
    def lines(self) -> npt.NDArray[np.int32]: ...
    @property
    def textures(self) -> list[Texture]: ...

class Object:
    """One object of a scene: a mesh placed by an orientation and a position."""
    @property
    def index(self) -> int: ...
    orientation: npt.NDArray[np.float64]
    """The 3x3 orientation matrix: a writable view of the object's numbers."""
    position: Tuple[int, int, int]
    mesh: Optional[int]
    def turn(self, axis: str, degrees: float) -> None: ...
    def scale(self, factor: float) -> None: ...
    def reset(self) -> None: ...

class Scene:
    """Meshes and the objects that place them, drawn in order."""
    def __init__(self, light: Optional[Sequence[int]] = None) -> None: ...
    def add(self, mesh: Union[Mesh, int, None] = None,
            position: Optional[Sequence[int]] = None,
            orientation: Optional[_Array] = None) -> Object: ...
    @property
    def objects(self) -> list[Object]: ...
    @property
    def meshes(self) -> list[Mesh]: ...
    @property
    def light(self) -> Optional[Object]: ...
    def step(self, n: int = 1) -> None: ...

class Frame:
    """A drawn frame; .color and .depth are copies made on first use."""
    def __init__(self, color: _Array, depth: Optional[_Array] = None) -> None:
        """A frame from (H, W, 3) uint8 colour and (H, W) depth (default inf)."""
    @property
    def width(self) -> int: ...
    @property
    def height(self) -> int: ...
    @property
    def color(self) -> npt.NDArray[np.uint8]:
        """(H, W, 3) uint8 RGB."""
    @property
    def depth(self) -> npt.NDArray[np.float32]:
        """(H, W) float32 camera-space z; inf where nothing is drawn."""
    def save(self, path: _Path) -> None:
        """Writes the colour as .png, .bmp, .ppm or .webp."""

class Renderer:
    """Draws scenes into frames of one size with its own workspace."""
    def __init__(self, width: int, height: int, focal_length: int = 400,
                 threads: int = 0, *, near_z: int = 2, shading: str = "flat",
                 texture_filter: str = "nearest", samples: int = 1) -> None: ...
    shading: str
    texture_filter: str
    samples: int
    @property
    def width(self) -> int: ...
    @property
    def height(self) -> int: ...
    @property
    def focal_length(self) -> int: ...
    @property
    def near_z(self) -> int: ...
    @property
    def threads(self) -> int: ...
    def render(self, scene: Scene) -> Frame: ...
    def step(self, scene: Scene, n: int = 1) -> None: ...

def texture(rgb: _Array) -> Texture:
    """A texture from an (H, W, 3) or (H, W, 4) uint8 array."""

def mesh(vertices: _Array, faces: _Array, colors: Optional[_Array] = None,
         uv: Optional[_Array] = None, texture: Optional[Texture] = None, *,
         fit: bool = True) -> Mesh:
    """A mesh from (N, 3) vertices and (M, 3) faces."""

def demo(textures: Optional[_Path] = None) -> Scene:
    """The demo scene: the built-in cube with four fins."""

def load(path: _Path, textures: Optional[_Path] = None) -> Scene:
    """A scene file or model file, as render-scene --scene reads it."""

def render(scene: Scene, width: Optional[int] = None, height: Optional[int] = None,
           focal_length: Optional[int] = None, threads: int = 0, *,
           shading: Optional[str] = None, texture_filter: Optional[str] = None,
           samples: Optional[int] = None) -> Frame:
    """One frame, by default with the scene's own size and camera."""

"""A mesh built from NumPy arrays: a wavy parametric surface, textured with
a checker image made as an array, drawn and saved as PNG.

    python3 surface_from_arrays.py surface.png
"""
import sys

import numpy as np

import renderer


def wavy_sheet(rows=60, columns=90):
    """Vertices, faces and per-vertex uv of a rippled sheet, +y up."""
    s, t = np.meshgrid(np.linspace(0, 1, columns), np.linspace(0, 1, rows))
    x = (s - 0.5) * 3.0
    z = (t - 0.5) * 2.0
    y = 0.25 * np.sin(6 * x) * np.cos(5 * z)
    vertices = np.stack([x, y, z], axis=-1).reshape(-1, 3)
    index = np.arange(rows * columns).reshape(rows, columns)
    a, b = index[:-1, :-1].ravel(), index[:-1, 1:].ravel()
    c, d = index[1:, 1:].ravel(), index[1:, :-1].ravel()
    # Corners counter-clockwise seen from above (+y): the front faces up.
    faces = np.concatenate([np.stack([a, d, c], 1), np.stack([a, c, b], 1)])
    uv = np.stack([s, t], axis=-1).reshape(-1, 2)
    return vertices, faces, uv


def checker(size=256, squares=8):
    """An (H, W, 3) uint8 checker of two colours."""
    cells = (np.arange(size) * squares // size)
    odd = (cells[:, None] + cells[None, :]) % 2 == 1
    image = np.where(odd[..., None], [230, 180, 40], [40, 90, 200])
    return image.astype(np.uint8)


def main(out):
    vertices, faces, uv = wavy_sheet()
    surface = renderer.mesh(vertices, faces, uv=uv, texture=renderer.texture(checker()))
    scene = renderer.Scene(light=(-3200, -3200, 0))
    sheet = scene.add(surface, position=(0, 0, 1900))
    sheet.turn("x", -30)  # tip the far edge away: seen from above
    frame = renderer.render(scene, 640, 480)
    frame.save(out)
    covered = np.isfinite(frame.depth)
    print(f"{out}: {covered.sum()} pixels covered, depth "
          f"{frame.depth[covered].min():.1f} to {frame.depth[covered].max():.1f}")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "surface.png")

"""Depth maps of a model from eight views around it, saved as PNG (near is
bright, nothing drawn is black) and as .npy (float32 camera-space z, inf
where nothing is drawn), beside the colour pictures.

    python3 depth_views.py build/models/cube.glb out/
"""
import os
import sys

import numpy as np

import renderer


def depth_picture(depth):
    """Depth as an (H, W, 3) uint8 grey image: nearest 255, farthest 32."""
    covered = np.isfinite(depth)
    grey = np.zeros(depth.shape, np.uint8)
    if covered.any():
        near, far = depth[covered].min(), depth[covered].max()
        scale = (depth[covered] - near) / max(far - near, 1e-9)
        grey[covered] = (255 - scale * 223).astype(np.uint8)
    return np.repeat(grey[..., None], 3, axis=-1)


def main(model, out):
    os.makedirs(out, exist_ok=True)
    scene = renderer.load(model)  # the model scene: object 1 is the model
    shown = scene.objects[1]
    position = shown.position  # the distance that frames the model
    r = renderer.Renderer(640, 480)
    for view in range(8):
        shown.reset()
        shown.position = position
        shown.turn("y", 45 * view)
        shown.turn("x", -20)
        frame = r.render(scene)
        stem = os.path.join(out, f"view-{view}")
        np.save(stem + "-depth.npy", frame.depth)
        renderer.Frame(depth_picture(frame.depth)).save(stem + "-depth.png")
        frame.save(stem + ".png")
        print(stem, "nearest", float(np.nanmin(np.where(np.isfinite(frame.depth),
                                                         frame.depth, np.nan))))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "depth-views")

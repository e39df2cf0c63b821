"""The demo's animation rendered across all cores with multiprocessing,
checked to equal the same frames rendered one after another in one process.

Frame k is the scene after k animation steps; each worker gets the pickled
scene and the frame numbers of its slice, so any split gives the same
frames.

    python3 sequence_multiprocessing.py [FRAMES] [OUT_FOLDER]
"""
import multiprocessing
import os
import sys

import numpy as np

import renderer

WIDTH, HEIGHT = 320, 240


def draw_slice(job):
    """Frames first .. first + count - 1 of the scene's animation."""
    scene, first, count = job
    r = renderer.Renderer(WIDTH, HEIGHT, threads=1)
    r.step(scene, first)
    frames = []
    for _ in range(count):
        frames.append(r.render(scene).color)
        r.step(scene)
    return frames


def main(frame_count, out_folder):
    scene = renderer.demo()
    workers = os.cpu_count() or 1
    size = -(-frame_count // workers)
    jobs = [(scene, first, min(size, frame_count - first))
            for first in range(0, frame_count, size)]
    with multiprocessing.Pool(workers) as pool:
        parallel = [c for frames in pool.map(draw_slice, jobs) for c in frames]
    single = draw_slice((scene, 0, frame_count))
    assert all(np.array_equal(a, b) for a, b in zip(parallel, single))
    print(f"{frame_count} frames on {workers} processes equal one process's")
    if out_folder:
        os.makedirs(out_folder, exist_ok=True)
        for k, colour in enumerate(parallel):
            np.save(os.path.join(out_folder, f"frame-{k:04d}.npy"), colour)


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 48,
         sys.argv[2] if len(sys.argv) > 2 else "")

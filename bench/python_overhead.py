#!/usr/bin/env python3
"""Python overhead per frame: the demo at 800 x 600 drawn through the module
(Renderer.render, one animation step between frames, the previous frame
dropped first as render-scene reuses its buffers) against render-scene's
own frame time (--bench median_ms: the client clear and the scene pass),
the two alternating round by round so both see the same machine load; and
the cost of the NumPy arrays (Frame.color, Frame.depth). Medians.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_overhead.py \
        --build build [--rounds 5] [--frames 300] [--threads 1]
"""
import argparse
import os
import re
import statistics
import subprocess
import time


def cpp_median_ms(build, frames, threads):
    out = subprocess.run(
        [os.path.join(build, "tools/render_scene/render-scene"), "--textures",
         os.path.join(build, "textures"), "--desktop", "800x600", "--threads",
         str(threads), "--frames", str(frames), "--bench"],
        check=True, capture_output=True, text=True).stdout
    return float(re.search(r"median_ms=([0-9.]+)", out).group(1))


def python_medians_ms(renderer, textures, frames, threads):
    """Renderer.render with the previous frame dropped first (its memory is
    drawn into again), with the previous frame still held (two frames'
    memory in turn), and the two arrays' first access."""
    scene = renderer.demo(textures)
    r = renderer.Renderer(800, 600, threads=threads)
    released, held, color, depth = [], [], [], []
    frame = None
    for _ in range(frames):
        frame = None
        start = time.perf_counter()
        frame = r.render(scene)
        released.append(time.perf_counter() - start)
        r.step(scene)
    for _ in range(frames):
        start = time.perf_counter()
        frame = r.render(scene)
        drawn = time.perf_counter()
        frame.color
        coloured = time.perf_counter()
        frame.depth
        end = time.perf_counter()
        held.append(drawn - start)
        color.append(coloured - drawn)
        depth.append(end - coloured)
        r.step(scene)
    return [statistics.median(t) * 1e3 for t in (released, held, color, depth)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--frames", type=int, default=300)
    parser.add_argument("--threads", type=int, default=1)
    args = parser.parse_args()
    import renderer
    cpp, py, held, color, depth = [], [], [], [], []
    for _ in range(args.rounds):
        cpp.append(cpp_median_ms(args.build, args.frames, args.threads))
        p, h, c, d = python_medians_ms(renderer, os.path.join(args.build, "textures"),
                                       args.frames, args.threads)
        py.append(p), held.append(h), color.append(c), depth.append(d)
    m = statistics.median
    print(f"C++ frame (render-scene)  {m(cpp):.3f} ms   rounds: "
          + " ".join(f"{v:.3f}" for v in cpp))
    print(f"Renderer.render           {m(py):.3f} ms   rounds: "
          + " ".join(f"{v:.3f}" for v in py))
    print(f"Python overhead           {(m(py) - m(cpp)) / m(cpp) * 100:+.1f} %")
    print(f"previous frame held       {m(held):.3f} ms   rounds: "
          + " ".join(f"{v:.3f}" for v in held))
    print(f"Frame.color (H, W, 3)     {m(color):.3f} ms")
    print(f"Frame.depth (H, W)        {m(depth):.3f} ms")
    print(f"load average              {os.getloadavg()[0]:.1f}")


if __name__ == "__main__":
    main()

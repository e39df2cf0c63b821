"""Pickling, threads drawing at once without the GIL, and steady memory."""
import pickle
import sys
import threading

import numpy as np

import renderer


def textured_scene():
    rng = np.random.default_rng(3)
    t = renderer.texture(rng.integers(0, 255, (8, 8, 4), dtype=np.uint8))
    scene = renderer.Scene(light=(-3200, -3200, 0))
    obj = scene.add(renderer.mesh(rng.normal(0, 1, (30, 3)), rng.integers(0, 30, (40, 3)),
                                  uv=rng.random((30, 2)), texture=t))
    obj.turn("y", 30)
    obj.scale(0.8)
    scene.add(renderer.mesh([[0, 0, 0], [1, 0, 0], [0, 1, 1]], [[0, 1, 2]],
                            colors=[[10, 200, 30]]), position=(300, 200, 2500))
    return scene


def test_scene_mesh_texture_frame_and_renderer_pickle(demo_textures):
    for scene in (textured_scene(), renderer.demo(demo_textures)):
        r = renderer.Renderer(160, 120, threads=1)
        again = pickle.loads(pickle.dumps(scene))
        assert np.array_equal(r.render(again).color, r.render(scene).color)
        r.step(scene, 3)
        r.step(again, 3)  # the demo's fins scroll in the copy too
        frame = r.render(scene)
        assert np.array_equal(r.render(again).color, frame.color)
        copy = pickle.loads(pickle.dumps(frame))
        assert np.array_equal(copy.color, frame.color)
        assert np.array_equal(copy.depth, frame.depth)
    m = scene.meshes[0]
    m2 = pickle.loads(pickle.dumps(m))
    assert np.array_equal(m2.vertices, m.vertices) and np.array_equal(m2.uv, m.uv)
    r2 = pickle.loads(pickle.dumps(renderer.Renderer(33, 22, 250, threads=2)))
    assert (r2.width, r2.height, r2.focal_length, r2.threads) == (33, 22, 250, 2)


def test_two_threads_render_at_once_and_match_one(demo_textures):
    scenes = [renderer.demo(demo_textures), textured_scene()]
    expected = [renderer.render(s, 200, 150, threads=1).color for s in scenes]
    results = [[], []]

    def draw(i):
        r = renderer.Renderer(200, 150, threads=1)
        for _ in range(20):
            results[i].append(r.render(scenes[i]).color)

    threads = [threading.Thread(target=draw, args=(i,)) for i in range(2)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for i in range(2):
        assert len(results[i]) == 20
        assert all(np.array_equal(c, expected[i]) for c in results[i])


def test_the_gil_is_released_while_drawing(demo_textures):
    # With a very long switch interval the drawing thread would keep the
    # GIL until it gives it up; the main thread runs before the frame is
    # done only when the render call releases it.
    scene = renderer.demo(demo_textures)
    r = renderer.Renderer(4000, 3000, threads=1)
    started, state = threading.Event(), {"done": False}

    def draw():
        started.set()
        r.render(scene)
        state["done"] = True

    interval = sys.getswitchinterval()
    sys.setswitchinterval(100)
    try:
        t = threading.Thread(target=draw)
        t.start()
        started.wait()
        ran_during_frame = not state["done"]
        t.join()
    finally:
        sys.setswitchinterval(interval)
    assert ran_during_frame


def resident_kb():
    with open("/proc/self/statm") as f:
        return int(f.read().split()[1]) * 4


def test_a_thousand_frames_do_not_grow_resident_memory(demo_textures):
    scene = renderer.demo(demo_textures)
    r = renderer.Renderer(320, 240, threads=1)
    for _ in range(100):
        f = r.render(scene)
        f.color, f.depth
    before = resident_kb()
    for _ in range(1000):
        r.step(scene)
        f = r.render(scene)
        f.color, f.depth
    assert resident_kb() - before < 1024

"""Frames from Python equal render-scene's, bit for bit, and depth is exact."""
import numpy as np
import pytest

import renderer
from conftest import render_scene_raw, stored_depth


@pytest.mark.parametrize("threads", [1, 2, 0])
def test_demo_after_25_steps_equals_render_scene(tmp_path, demo_textures, threads):
    color, depth = render_scene_raw(
        tmp_path, "--textures", demo_textures, "--steps", "25",
        "--desktop", "800x600", "--client", "800x600")
    scene = renderer.demo(demo_textures)
    r = renderer.Renderer(800, 600, threads=threads)
    r.step(scene, 25)
    frame = r.render(scene)
    assert np.array_equal(frame.color, color)
    assert np.array_equal(stored_depth(frame.depth).view(np.uint32),
                          depth.view(np.uint32))


def test_client_area_of_a_desktop_sized_frame_is_the_same(tmp_path, demo_textures):
    color, depth = render_scene_raw(tmp_path, "--textures", demo_textures,
                                    "--steps", "7", "--client", "320x240")
    scene = renderer.demo(demo_textures)
    scene.step(7)
    frame = renderer.render(scene, 320, 240)
    assert np.array_equal(frame.color, color[:240, :320])
    assert np.array_equal(stored_depth(frame.depth), depth[:240, :320])


def test_plane_at_a_known_distance_has_that_depth_everywhere():
    quad = renderer.mesh([[-9000, -9000, 1000], [9000, -9000, 1000],
                          [9000, 9000, 1000], [-9000, 9000, 1000]],
                         [[0, 1, 2], [0, 2, 3]], fit=False)
    scene = renderer.Scene()
    scene.add(quad, position=(0, 0, 0))
    frame = renderer.render(scene, 64, 48)
    assert frame.depth.dtype == np.float32
    assert np.all(frame.depth == 1000.0)


def test_nothing_drawn_is_background_and_infinite_depth():
    frame = renderer.render(renderer.Scene(), 40, 30)
    assert np.all(frame.color == 120)
    assert np.all(np.isinf(frame.depth))


def test_saved_images_hold_the_colour(tmp_path):
    scene = renderer.Scene(light=(-3200, -3200, 0))
    scene.add(renderer.mesh([[0, 0, 0], [1, 0, 0], [0, 1, 0]], [[0, 1, 2]],
                            colors=[[200, 40, 10]]))
    frame = renderer.render(scene, 96, 64)
    for ending in ("png", "bmp", "ppm", "webp"):
        path = tmp_path / f"frame.{ending}"
        frame.save(path)
        assert path.stat().st_size > 0
    ppm = (tmp_path / "frame.ppm").read_bytes()
    header = b"P6\n96 64\n255\n"
    assert ppm.startswith(header)
    assert np.array_equal(
        np.frombuffer(ppm[len(header):], np.uint8).reshape(64, 96, 3), frame.color)

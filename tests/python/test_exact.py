"""Frames from Python equal render-scene's, bit for bit, and depth is exact."""
import json
import subprocess

import numpy as np
import pytest

import renderer
from conftest import MODELS, RENDER_SCENE, render_scene_raw, stored_depth


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


@pytest.mark.parametrize("model", ["cube.glb", "torus.gltf", "cube.obj"])
def test_generated_model_equals_render_scene(tmp_path, model):
    path = str(MODELS / model)
    color, depth = render_scene_raw(tmp_path, "--scene", path, "--steps", "3",
                                    "--desktop", "800x600")
    scene = renderer.load(path)
    scene.step(3)
    frame = renderer.render(scene)  # the scene's own client size and camera
    assert np.array_equal(frame.color, color)
    assert np.array_equal(stored_depth(frame.depth).view(np.uint32),
                          depth.view(np.uint32))


def test_scene_file_with_its_own_camera_equals_render_scene(tmp_path):
    (tmp_path / "scene.json").write_text(json.dumps({
        "client": {"width": 200, "height": 150},
        "camera": {"focalLength": 150, "centreX": 90.5},
        "meshes": [{"vertices": [[-50, -50, 300], [50, -50, 300], [0, 60, 250]],
                    "triangles": [{"vertex": [0, 1, 2], "colour": [255, 0, 0]}],
                    "lines": [{"from": 0, "to": 2, "fromColour": 16711680,
                               "toColour": 255}]}],
        "objects": [{"transforms": [["rotateZ", 15]], "position": [0, 0, 0]}],
        "animationSteps": 2}))
    color, depth = render_scene_raw(tmp_path, "--scene", str(tmp_path / "scene.json"))
    frame = renderer.render(renderer.load(tmp_path / "scene.json"))
    assert np.array_equal(frame.color, color[:150, :200])
    assert np.array_equal(stored_depth(frame.depth), depth[:150, :200])


def render_scene_refusal(*arguments):
    run = subprocess.run([RENDER_SCENE, *arguments, "--raw", "/dev/null"],
                         capture_output=True, text=True)
    assert run.returncode == 2
    return run.stderr.strip()


def test_bad_and_missing_files_raise_render_scene_s_line(tmp_path):
    bad = tmp_path / "bad.json"
    bad.write_text('{"meshes": [], "objects": [{"mesh": 3}]}')
    with pytest.raises(ValueError) as caught:
        renderer.load(bad)
    assert str(caught.value) == render_scene_refusal("--scene", str(bad))
    model = tmp_path / "broken.obj"
    model.write_text("v 0 0 0\nf 1 2 3\n")
    with pytest.raises(ValueError) as caught:
        renderer.load(model)
    assert str(caught.value) == render_scene_refusal("--scene", str(model))
    missing = tmp_path / "missing.json"
    with pytest.raises(FileNotFoundError) as caught:
        renderer.load(missing)
    assert str(caught.value) == render_scene_refusal("--scene", str(missing))


@pytest.mark.parametrize("looks", [
    ("flat", "nearest", 1), ("smooth", "bilinear", 1), ("smooth", "nearest", 4),
    ("flat", "bilinear", 16)])
def test_looks_as_keywords_equal_render_scene_s_options(tmp_path, looks):
    shading, texture_filter, samples = looks
    path = str(MODELS / "cube.glb")
    color, depth = render_scene_raw(
        tmp_path, "--scene", path, "--desktop", "800x600", "--shading", shading,
        "--texture-filter", texture_filter, "--samples", str(samples))
    frame = renderer.render(renderer.load(path), shading=shading,
                            texture_filter=texture_filter, samples=samples)
    assert np.array_equal(frame.color, color)
    assert np.array_equal(stored_depth(frame.depth).view(np.uint32),
                          depth.view(np.uint32))
    r = renderer.Renderer(800, 600, shading=shading, texture_filter=texture_filter,
                          samples=samples)
    assert (r.shading, r.texture_filter, r.samples) == looks


def test_a_model_draws_smooth_and_bilinear_unless_told_otherwise(tmp_path):
    path = str(MODELS / "cube.glb")
    default, _ = render_scene_raw(tmp_path, "--scene", path, "--desktop", "800x600")
    flat, _ = render_scene_raw(tmp_path, "--scene", path, "--desktop", "800x600",
                               "--shading", "flat", "--texture-filter", "nearest")
    scene = renderer.load(path)
    assert np.array_equal(renderer.render(scene).color, default)
    assert np.array_equal(
        renderer.render(scene, shading="flat", texture_filter="nearest").color, flat)


def test_bad_looks_raise_value_error_naming_the_argument():
    with pytest.raises(ValueError, match="shading"):
        renderer.Renderer(8, 8, shading="phong")
    with pytest.raises(ValueError, match="texture_filter"):
        renderer.render(renderer.Scene(), 8, 8, texture_filter="trilinear")
    with pytest.raises(ValueError, match="samples"):
        renderer.Renderer(8, 8).samples = 2

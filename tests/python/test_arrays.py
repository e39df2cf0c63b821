"""Arrays into meshes and textures and back out, unchanged."""
import numpy as np

import renderer

VERTICES = np.array([[0, 0, 0], [100, 0, 0], [0, 100, 0], [0, 0, 100]])
FACES = np.array([[0, 1, 2], [0, 2, 3], [0, 3, 1]])


def test_mesh_as_given_round_trips():
    colors = np.array([[255, 0, 0], [0, 255, 0], [0, 0, 255]], np.uint8)
    m = renderer.mesh(VERTICES.astype(np.float32), FACES.astype(np.uint16),
                      colors=colors, fit=False)
    assert m.vertices.dtype == np.int32 and np.array_equal(m.vertices, VERTICES)
    assert np.array_equal(m.faces, FACES)
    assert np.array_equal(m.colors, np.repeat(colors[:, None, :], 3, axis=1))
    assert np.array_equal(m.face_textures, [-1, -1, -1])


def test_colours_per_vertex_and_per_corner():
    per_vertex = np.arange(12, dtype=np.uint8).reshape(4, 3)
    m = renderer.mesh(VERTICES, FACES, colors=per_vertex, fit=False)
    assert np.array_equal(m.colors, per_vertex[FACES])
    rgba = np.concatenate([per_vertex[FACES], np.zeros((3, 3, 1), np.uint8)], -1)
    assert np.array_equal(renderer.mesh(VERTICES, FACES, colors=rgba, fit=False).colors,
                          per_vertex[FACES])


def test_texture_round_trips_and_uv_become_texels():
    rgb = np.random.default_rng(1).integers(0, 255, (5, 7, 3), dtype=np.uint8)
    t = renderer.texture(rgb)
    assert (t.width, t.height) == (7, 5) and np.array_equal(t.pixels, rgb)
    uv = np.array([[[0, 0], [1, 0], [0, 1]]] * 3, float)
    m = renderer.mesh(VERTICES, FACES, uv=uv, texture=t, fit=False)
    assert np.array_equal(m.uv, uv * [7, 5])
    assert np.array_equal(m.face_textures, [0, 0, 0])
    assert np.array_equal(m.textures[0].pixels, rgb)


def test_texture_alpha_zero_is_see_through_and_white_is_kept_opaque():
    rgba = np.full((1, 3, 4), 255, np.uint8)
    rgba[0, 1, :3] = (10, 20, 30)
    rgba[0, 2, 3] = 0
    assert renderer.texture(rgba).pixels.tolist() == [
        [[255, 254, 255], [10, 20, 30], [255, 255, 255]]]


def test_fit_centres_and_scales_to_1600_units_with_y_and_z_turned():
    m = renderer.mesh(VERTICES * 0.01 + 5, FACES)
    v = m.vertices
    assert v.max(axis=0).tolist() == [800, 800, 800]
    assert v.min(axis=0).tolist() == [-800, -800, -800]
    # +y up and +z front become y down and z away; corners 1 and 2 swap.
    assert v[m.faces[0][0]].tolist() == [-800, 800, 800]
    assert m.faces[0].tolist() == [0, 2, 1]


def test_orientation_is_a_view_and_position_is_set_in_place():
    scene = renderer.Scene()
    obj = scene.add(renderer.mesh(VERTICES, FACES, fit=False))
    view = obj.orientation
    obj.turn("y", 90)
    assert view[0, 2] != 0 and np.array_equal(view, scene.objects[0].orientation)
    view[:] = np.eye(3) * 2
    assert scene.objects[0].orientation[1, 1] == 2.0
    obj.position = (1, -2, 3)
    assert scene.objects[0].position == (1, -2, 3)
    obj.reset()
    assert np.array_equal(view, np.eye(3)) and obj.position == (0, 0, 3200)


def test_scene_meshes_come_back_with_their_own_textures():
    t = renderer.texture(np.zeros((2, 2, 3), np.uint8))
    scene = renderer.Scene()
    scene.add(renderer.mesh(VERTICES, FACES, fit=False))
    scene.add(renderer.mesh(VERTICES, FACES, uv=np.zeros((4, 2)), texture=t, fit=False))
    again = scene.add(1)
    assert again.mesh == 1
    meshes = scene.meshes
    assert len(meshes) == 2 and len(meshes[0].textures) == 0
    assert np.array_equal(meshes[1].face_textures, [0, 0, 0])


def test_frame_from_arrays_round_trips():
    rng = np.random.default_rng(5)
    color = rng.integers(0, 255, (6, 9, 3), dtype=np.uint8)
    depth = rng.random((6, 9)).astype(np.float32) * 1000
    depth[0, 0] = np.inf
    frame = renderer.Frame(color, depth)
    assert np.array_equal(frame.color, color) and np.array_equal(frame.depth, depth)
    assert np.isinf(renderer.Frame(color).depth).all()

"""Bad input raises a clear exception, never crashes."""
import numpy as np
import pytest

import renderer

V = [[0, 0, 0], [1, 0, 0], [0, 1, 0]]
F = [[0, 1, 2]]


@pytest.mark.parametrize("arguments, error, words", [
    (dict(vertices=[[0, 0]], faces=F), ValueError, "vertices: expected shape (N, 3)"),
    (dict(vertices=V, faces=[0, 1, 2]), ValueError, "faces: expected shape (M, 3)"),
    (dict(vertices=["a", "b", "c"], faces=F), ValueError, "vertices"),
    (dict(vertices=np.array(V, object), faces=F), TypeError, "vertices: expected numbers"),
    (dict(vertices=V, faces=np.array(F, float)), TypeError, "faces: expected integers"),
    (dict(vertices=V, faces=[[0, 1, 3]]), ValueError, "index 3 out of range (3 vertices)"),
    (dict(vertices=V, faces=[[0, -1, 2]]), ValueError, "faces: row 0: index -1"),
    (dict(vertices=[[0, 0, np.nan], [1, 0, 0], [0, 1, 0]], faces=F), ValueError,
     "not a finite number"),
    (dict(vertices=np.zeros((0, 3)), faces=F), ValueError, "empty"),
    (dict(vertices=V, faces=np.zeros((0, 3), int)), ValueError, "empty"),
    (dict(vertices=[[0.5, 0, 0], [1, 0, 0], [0, 1, 0]], faces=F, fit=False), ValueError,
     "not a whole number"),
    (dict(vertices=[[3e9, 0, 0], [1, 0, 0], [0, 1, 0]], faces=F, fit=False), ValueError,
     "int32 range"),
    (dict(vertices=V, faces=F, colors=[[1, 2]]), ValueError, "colors: expected shape"),
    (dict(vertices=V, faces=F, colors=[[1, 2, 300]]), ValueError, "from 0 to 255"),
    (dict(vertices=V, faces=F, colors=[[0.5, 0.5, 0.5]]), TypeError, "colors"),
    (dict(vertices=V, faces=F, uv=np.zeros((1, 3, 2))), ValueError, "give both"),
    (dict(vertices=[[0, 0, 0]] * 3, faces=F), None, None),
])
def test_mesh_arguments(arguments, error, words):
    if error is None:
        renderer.mesh(**arguments)  # a model whose points coincide is fine
        return
    with pytest.raises(error) as caught:
        renderer.mesh(**arguments)
    assert words in str(caught.value)


def test_uv_shape_and_texture_arrays():
    t = renderer.texture(np.zeros((2, 2, 3), np.uint8))
    with pytest.raises(ValueError, match=r"uv: expected shape \(M, 3, 2\) or \(N, 2\)"):
        renderer.mesh(V, F, uv=np.zeros((2, 2)), texture=t)
    with pytest.raises(ValueError, match="uv: row 0: not a finite"):
        renderer.mesh(V, F, uv=np.full((1, 3, 2), np.inf), texture=t)
    with pytest.raises(ValueError, match=r"rgb: expected shape \(H, W, 3\) or \(H, W, 4\)"):
        renderer.texture(np.zeros((2, 2), np.uint8))
    with pytest.raises(TypeError, match="rgb: expected integers"):
        renderer.texture(np.zeros((2, 2, 3), np.float32))
    with pytest.raises(ValueError, match="rgb: the image is empty"):
        renderer.texture(np.zeros((0, 2, 3), np.uint8))


@pytest.mark.parametrize("size", [(0, 10), (10, 0), (-1, 10), (10, 20000)])
def test_frame_sizes(size):
    with pytest.raises(ValueError, match="width|height"):
        renderer.Renderer(*size)


def test_renderer_and_object_arguments():
    with pytest.raises(ValueError, match="threads"):
        renderer.Renderer(10, 10, threads=-1)
    with pytest.raises(ValueError, match="focal_length"):
        renderer.Renderer(10, 10, focal_length=0)
    scene = renderer.Scene()
    obj = scene.add(renderer.mesh(V, F))
    with pytest.raises(ValueError, match="axis"):
        obj.turn("w", 10)
    with pytest.raises(ValueError, match=r"position: expected shape \(3,\)"):
        obj.position = (1, 2)
    with pytest.raises(ValueError, match="position: expected a whole number"):
        obj.position = (1, 2, 2**40)
    with pytest.raises(ValueError, match="mesh: expected a whole number from 0 to 0"):
        obj.mesh = 5
    with pytest.raises(ValueError, match=r"orientation: expected shape \(3, 3\)"):
        obj.orientation = np.eye(2)
    with pytest.raises(ValueError, match="n: expected a count"):
        scene.step(-1)
    view = obj.orientation
    with pytest.raises(ValueError, match="orientation array of this scene is still alive"):
        scene.add(None)
    del view
    scene.add(None)


def test_bad_save_paths(tmp_path):
    frame = renderer.render(renderer.Scene(), 8, 8)
    with pytest.raises(ValueError, match="expected an ending"):
        frame.save(tmp_path / "frame.tga")
    with pytest.raises(OSError):
        frame.save(tmp_path / "no-such-folder" / "frame.png")


def test_random_arrays_never_crash():
    rng = np.random.default_rng(18)
    kinds = [np.float64, np.float32, np.int64, np.int32, np.uint8, np.int8,
             np.bool_, np.complex64]
    for _ in range(400):
        def array():
            shape = tuple(rng.integers(0, 5, rng.integers(0, 4)))
            kind = kinds[rng.integers(len(kinds))]
            values = rng.normal(0, 1e3, shape) * rng.choice([1, 1e12, np.nan])
            return values.astype(kind) if kind != np.bool_ else values > 0
        arguments = dict(vertices=array(), faces=array(), fit=bool(rng.integers(2)))
        if rng.integers(2):
            arguments["colors"] = array()
        try:
            m = renderer.mesh(**arguments)
            scene = renderer.Scene()
            scene.add(m, position=(0, 0, int(rng.integers(-5000, 5000))))
            renderer.render(scene, 16, 12, threads=1)
        except (TypeError, ValueError):
            pass
        try:
            renderer.texture(array())
        except (TypeError, ValueError):
            pass

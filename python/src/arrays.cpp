#include "python/src/arrays.h"

#include <string>

namespace renderer_py {

namespace {

std::string ShapeText(const py::array& array) {
  std::string text = "(";
  for (py::ssize_t d = 0; d < array.ndim(); ++d) {
    if (d > 0) text += ", ";
    text += std::to_string(array.shape(d));
  }
  return text + (array.ndim() == 1 ? ",)" : ")");
}

py::array AsArray(const py::handle& value, const char* name) {
  if (value.is_none()) {
    throw py::type_error(std::string(name) + ": expected an array, got None");
  }
  try {
    return py::module_::import("numpy").attr("asarray")(value);
  } catch (py::error_already_set&) {
    throw py::type_error(std::string(name) + ": expected an array");
  }
}

// The array, its shape checked, and its dtype kind one of `kinds`.
py::array Checked(const py::handle& value, const char* name,
                  const Shape& shape, const char* kinds,
                  const char* kindText) {
  py::array array = AsArray(value, name);
  if (!HasShape(array, shape)) {
    Refuse(name, std::string("expected shape ") + shape.text + ", got " +
                     ShapeText(array));
  }
  const char kind = array.dtype().kind();
  if (std::string(kinds).find(kind) == std::string::npos) {
    throw py::type_error(std::string(name) + ": expected " + kindText +
                         " of shape " + shape.text + ", got dtype " +
                         std::string(py::str(array.dtype())));
  }
  return array;
}

}  // namespace

void Refuse(const char* name, const std::string& message) {
  throw py::value_error(std::string(name) + ": " + message);
}

bool HasShape(const py::handle& value, const Shape& shape) {
  const py::array array = py::array::ensure(value);
  if (!array || array.ndim() != py::ssize_t(shape.sides.size())) return false;
  for (size_t d = 0; d < shape.sides.size(); ++d) {
    if (shape.sides[d] >= 0 && array.shape(py::ssize_t(d)) != shape.sides[d]) {
      return false;
    }
  }
  return true;
}

py::array_t<int64_t> IntegerArray(const py::handle& value, const char* name,
                                  const Shape& shape) {
  return py::array_t<int64_t, py::array::c_style | py::array::forcecast>::ensure(
      Checked(value, name, shape, "iu", "integers"));
}

py::array_t<double> NumberArray(const py::handle& value, const char* name,
                                const Shape& shape) {
  return py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(
      Checked(value, name, shape, "iuf", "numbers"));
}

py::array_t<uint8_t> ByteArray(const py::handle& value, const char* name,
                               const Shape& shape) {
  const py::array_t<int64_t> wide = IntegerArray(value, name, shape);
  const int64_t* data = wide.data();
  for (py::ssize_t i = 0; i < wide.size(); ++i) {
    if (data[i] < 0 || data[i] > 255) {
      Refuse(name, "expected values from 0 to 255, got " +
                       std::to_string(data[i]));
    }
  }
  return py::array_t<uint8_t, py::array::c_style | py::array::forcecast>::ensure(
      wide);
}

int32_t CheckedInt32(int64_t value, const char* name, int64_t low,
                     int64_t high) {
  if (value < low || value > high) {
    Refuse(name, "expected a whole number from " + std::to_string(low) +
                     " to " + std::to_string(high) + ", got " +
                     std::to_string(value));
  }
  return int32_t(value);
}

}  // namespace renderer_py

#pragma once
// Arrays in from Python, checked: shape and kind of number, each refusal
// naming the argument and the shape it expects (TypeError for the wrong
// kind of value, ValueError for the wrong shape or a bad value).
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <vector>

namespace renderer_py {

namespace py = pybind11;

// An expected shape: one entry per dimension, -1 for any length; `text`
// spells it for messages, e.g. "(N, 3)".
struct Shape {
  std::vector<py::ssize_t> sides;
  const char* text;
};

// True when `value` (an array or anything NumPy makes one of) has `shape`.
bool HasShape(const py::handle& value, const Shape& shape);

// `value` as a C-ordered array after checking its shape and kind: any
// integers as int64; integers or floats as float64; integers from 0 to 255
// as uint8. Refusals name `name`.
py::array_t<int64_t> IntegerArray(const py::handle& value, const char* name,
                                  const Shape& shape);
py::array_t<double> NumberArray(const py::handle& value, const char* name,
                                const Shape& shape);
py::array_t<uint8_t> ByteArray(const py::handle& value, const char* name,
                               const Shape& shape);

// Throws ValueError "NAME: MESSAGE".
[[noreturn]] void Refuse(const char* name, const std::string& message);

// `value` checked to lie in [low, high]: an int32 argument.
int32_t CheckedInt32(int64_t value, const char* name, int64_t low,
                     int64_t high);

}  // namespace renderer_py

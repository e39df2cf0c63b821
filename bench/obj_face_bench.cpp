// Reading OBJ files with one long face, through LoadModel as a user reads
// them: convex, concave (a comb, half its corners reflex), the corners of
// one triangle repeated, and corners on one line. Faces beyond the corner
// limit (the 200 000-corner, 400 KB file) are refused; the figure is what
// the refusal costs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "renderer/model.h"

namespace {

enum Shape { kConvex, kComb, kRepeated, kCollinear };

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// The face's corners as `v` statements.
std::string Vertices(Shape shape, long n) {
  std::string text;
  if (shape == kRepeated) return "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
  if (shape == kComb) {
    const long teeth = (n - 4) / 4;
    text += "v " + Number(double(teeth) * 2) + " 0 0\nv " + Number(double(teeth) * 2) + " 10 0\n";
    for (long i = teeth; i-- > 0;) {
      const double x = double(i) * 2;
      text += "v " + Number(x + 1.5) + " 10 0\nv " + Number(x + 1.5) + " 1 0\n";
      text += "v " + Number(x + 0.5) + " 1 0\nv " + Number(x + 0.5) + " 10 0\n";
    }
    return text + "v 0 10 0\nv 0 0 0\n";
  }
  for (long i = 0; i < n; ++i) {
    const double a = 2 * M_PI * double(i) / double(n);
    text += shape == kConvex ? "v " + Number(std::cos(a)) + " " + Number(std::sin(a)) + " 0\n"
                             : "v " + Number(double(i)) + " " + Number(double(i) * 2) + " 0\n";
  }
  return text;
}

std::string FaceFile(Shape shape, long n) {
  std::string text = Vertices(shape, n) + "f";
  for (long i = 0; i < n; ++i) {
    text += ' ';
    text += std::to_string(shape == kRepeated ? i % 3 + 1 : i + 1);
  }
  return text + "\n";
}

void BM_ObjLongFace(benchmark::State& state) {
  const Shape shape = Shape(state.range(0));
  const long n = long(state.range(1));
  const std::string text = FaceFile(shape, n);
  const auto path = std::filesystem::temp_directory_path() / "renderer-bench-face.obj";
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    state.SkipWithError("cannot write the file");
    return;
  }
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
  bool read = false;
  for (auto _ : state) {
    renderer::Mesh mesh;
    std::vector<renderer::Texture> textures;
    std::vector<std::string> warnings;
    std::string error;
    read = renderer::LoadModel(path.string(), mesh, textures, warnings, error);
    benchmark::DoNotOptimize(mesh);
  }
  std::filesystem::remove(path);
  state.counters["bytes"] = double(text.size());
  state.counters["read"] = read ? 1 : 0;  // 0: refused (beyond the corner limit)
  static const char* const kNames[] = {"convex", "comb", "repeated", "collinear"};
  state.SetLabel(kNames[shape]);
}

BENCHMARK(BM_ObjLongFace)
    ->ArgNames({"shape", "corners"})
    ->Args({kConvex, 3})
    ->Args({kConvex, 4})
    ->Args({kConvex, 1000})
    ->Args({kComb, 1000})
    ->Args({kRepeated, 1000})
    ->Args({kCollinear, 1000})
    ->Args({kConvex, 4096})
    ->Args({kComb, 4096})
    ->Args({kRepeated, 4096})
    ->Args({kCollinear, 4096})
    ->Args({kRepeated, 200000})
    ->Args({kConvex, 200000})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

// Micro-benchmarks of the engine, so that a slowdown shows where it happens.
#include <benchmark/benchmark.h>

#include <string>

#include "batch_run.h"
#include "reference/matrix.h"
#include "rotation.h"
#include "text.h"

namespace {

using namespace orvane;

void BM_NextToken(benchmark::State& state) {
  const std::string line = "120 30,45\t20 N 90/30 extra tokens here";
  for (auto _ : state) {
    std::string_view rest = line;
    std::string_view token;
    while (!rest.empty()) NextToken(rest, token);
    benchmark::DoNotOptimize(token);
  }
}
BENCHMARK(BM_NextToken);

// The engine's rotation and projection, and the plain matrix model they give the
// bits of, for comparison.
void BM_RotateAboutAxis(benchmark::State& state) {
  const Vector3 v = DirectionOf(120, 40);
  for (auto _ : state) benchmark::DoNotOptimize(AxisRotation(30, 180, 0).Apply(v));
}
BENCHMARK(BM_RotateAboutAxis);

void BM_RotateAboutAxisMatrixModel(benchmark::State& state) {
  const reference::MatrixC v = reference::DirectionVector(120, 40);
  for (auto _ : state) benchmark::DoNotOptimize(reference::RotateAboutAxis(v, 30, 180, 0));
}
BENCHMARK(BM_RotateAboutAxisMatrixModel);

void BM_ProjectOntoPlane(benchmark::State& state) {
  const Vector3 v = DirectionOf(120, 10), n = DirectionOf(90, -30);
  for (auto _ : state) benchmark::DoNotOptimize(ProjectedOntoPlane(v, n));
}
BENCHMARK(BM_ProjectOntoPlane);

void BM_ProjectOntoPlaneMatrixModel(benchmark::State& state) {
  const reference::MatrixC v = reference::DirectionVector(120, 10);
  const reference::MatrixC n = reference::DirectionVector(90, -30);
  for (auto _ : state) benchmark::DoNotOptimize(reference::ProjectOntoPlane(v, n));
}
BENCHMARK(BM_ProjectOntoPlaneMatrixModel);

void ConvertLines(benchmark::State& state, const char* untilting, const char* const* lines,
                  int count) {
  ConversionOptions o;
  o.UntiltingText = untilting;
  o.DeclinationText = "2";
  BatchRun run(o, nullptr);
  std::string out;
  for (auto _ : state) {
    for (int i = 0; i < count; ++i) benchmark::DoNotOptimize(run.ConvertInputLine(lines[i], out));
  }
  state.SetItemsProcessed(state.iterations() * count);
}

const char* const kNumeric[] = {"120 30 45 20 N # site 1", "210 65 215 60 R", "40 85 130 3 S"};
const char* const kNotations[] = {"N30E40S R30N N", "120/40 P20S D", "NS60W N30E20S S",
                                  "EW45N AN80E R"};
const char* const kUntilted[] = {"90 60 90 60 N 90/30", "N30E40S R30N N N10W20E",
                                 "120/40 AN80E D 200/35"};
const char* const kErrors[] = {"120 x 45 20 N", "120 30 45 20", "x30 30 45 20 N"};

void BM_NumericLines(benchmark::State& s) {
  ConvertLines(s, "0", kNumeric, 3);
}
void BM_NotationLines(benchmark::State& s) {
  ConvertLines(s, "0", kNotations, 4);
}
void BM_UntiltedLines(benchmark::State& s) {
  ConvertLines(s, "100", kUntilted, 3);
}
void BM_ErrorLines(benchmark::State& s) {
  ConvertLines(s, "0", kErrors, 3);
}
BENCHMARK(BM_NumericLines);
BENCHMARK(BM_NotationLines);
BENCHMARK(BM_UntiltedLines);
BENCHMARK(BM_ErrorLines);

}  // namespace

BENCHMARK_MAIN();

#pragma once
// Runs a per-pixel iteration on several vectors of lanes at once: every lane
// holds one pixel; when a lane's pixel is done (its map says so, or it reached
// the step limit) the lane writes the pixel's value and takes the next pixel
// of the row, so no lane idles while pixels are left. Several vectors are in
// flight because each step waits on the one before.
//
// A source that includes this defines ORLENZA_LANES_TARGET first (empty, or
// the target attribute of its instruction set): the runner is compiled once
// per instruction set from this one source. Everything here has internal
// linkage, so the copies never mix at link time.
//
// Map<V> (V one of the units of SimdLanes.h) provides:
//   static constexpr int kFields;
//   explicit Map(Params const&);
//   int maxSteps() const: the step limit (at least 1);
//   bool startLane(Coord2D p, double* fields, double* value) const: fills the
//     lane's fields, or answers false with the pixel's value (no iteration);
//   unsigned step(typename V::D* fields) const: one step of a vector of lanes
//     (fields[f] is field f), answering the mask of lanes that are done;
//   double finish(double const* fields, int steps, bool done) const: the value
//     of a lane after `steps` steps; done is false at the step limit.

#ifndef ORLENZA_LANES_TARGET
#error "define ORLENZA_LANES_TARGET before including LaneRunner.h"
#endif

#include "core/engine/RowParallel.h"
#include "core/engine/SimdLanes.h"
#include "core/model/Coord2D.h"

namespace orlenza {
namespace {  // NOLINT: one copy per instruction set, see above

// Steps of all lanes between two looks at the stop.
constexpr int kLaneStepsPerStopCheck = 1 << 13;

template <class V, int kVectors, template <class> class Map, class Params>
ORLENZA_LANES_TARGET bool runLanes(Params const& params, Coord2D const* points, double* values, int count,
                                   RowStop const* stop) {
  using D = typename V::D;
  using M = Map<V>;
  constexpr int kWidth = V::kWidth;
  constexpr int kLanes = kWidth * kVectors;
  constexpr int kFields = M::kFields;
  static_assert(kLanes <= 32, "the lane masks are 32 bits");
  M const map(params);
  int const maxSteps = map.maxSteps();

  alignas(64) double fields[kFields][kLanes];
  int pixelOf[kLanes];
  int startOf[kLanes];
  int next = 0;
  int step = 0;
  unsigned active = 0;

  // The next pixel that iterates goes into lane; pixels valued at once are written.
  auto take = [&](int lane) {
    double lane_fields[kFields];
    while (next < count) {
      double value = 0;
      int const pixel = next++;
      if (map.startLane(points[pixel], lane_fields, &value)) {
        for (int f = 0; f < kFields; ++f) fields[f][lane] = lane_fields[f];
        pixelOf[lane] = pixel;
        startOf[lane] = step;
        active |= 1u << lane;
        return;
      }
      values[pixel] = value;
    }
    for (int f = 0; f < kFields; ++f) fields[f][lane] = 0.0;
    active &= ~(1u << lane);
  };
  // The step at which the oldest lane reaches the limit.
  auto deadline = [&] {
    int oldest = step + maxSteps;
    for (int lane = 0; lane < kLanes; ++lane)
      if ((active >> lane) & 1u) oldest = startOf[lane] + maxSteps < oldest ? startOf[lane] + maxSteps : oldest;
    return oldest;
  };

  for (int lane = 0; lane < kLanes; ++lane) take(lane);
  D state[kVectors][kFields];
  for (int v = 0; v < kVectors; ++v)
    for (int f = 0; f < kFields; ++f) state[v][f] = V::load(&fields[f][v * kWidth]);
  int limit = deadline();
  int checkAt = step + kLaneStepsPerStopCheck;

  while (active != 0) {
    int const until = limit < checkAt ? limit : checkAt;
    unsigned done = 0;
    do {
      ++step;
      for (int v = 0; v < kVectors; ++v) done |= map.step(state[v]) << (v * kWidth);
      done &= active;
    } while (done == 0 && step != until);

    if (step == checkAt) {
      checkAt += kLaneStepsPerStopCheck;
      if (stop != nullptr && stop->requested()) return false;
    }
    if (done == 0 && step != limit) continue;

    for (int v = 0; v < kVectors; ++v)
      for (int f = 0; f < kFields; ++f) V::store(&fields[f][v * kWidth], state[v][f]);
    for (int lane = 0; lane < kLanes; ++lane) {
      if (((active >> lane) & 1u) == 0) continue;
      int const steps = step - startOf[lane];
      bool const laneDone = ((done >> lane) & 1u) != 0;
      if (!laneDone && steps < maxSteps) continue;
      double lane_fields[kFields];
      for (int f = 0; f < kFields; ++f) lane_fields[f] = fields[f][lane];
      values[pixelOf[lane]] = map.finish(lane_fields, steps, laneDone);
      take(lane);
    }
    for (int v = 0; v < kVectors; ++v)
      for (int f = 0; f < kFields; ++f) state[v][f] = V::load(&fields[f][v * kWidth]);
    limit = deadline();
  }
  return true;
}

}  // namespace
}  // namespace orlenza

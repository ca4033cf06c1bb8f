#pragma once
// What the benchmarks of pixel generators share: the thread count of an
// argument (0 is every core) and the timing loops of both paths.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawField.h"
#include "core/model/Snapshot.h"

namespace orlenza {

inline unsigned benchThreads(long argument) {
  return argument == 0 ? std::max(1u, std::thread::hardware_concurrency()) : 1u;
}

// The registered computator on a side x side picture, threads from state.range(0).
template <class Computator>
void runPixelProduct(benchmark::State& state, Computator& computator, Snapshot const& snapshot, int side) {
  unsigned const threads = benchThreads(state.range(0));
  RawField field(side, side);
  for (auto _ : state) {
    NullComputationNotifier notifier;
    computator.computeImage(snapshot, side, side, field, notifier, threads);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["pixels/s"] = benchmark::Counter(double(side) * side, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["threads"] = threads;
}

// The plain reference kernel, fill(field), on a side x side picture.
template <class Fill>
void runPixelReference(benchmark::State& state, int side, Fill&& fill) {
  RawField field(side, side);
  for (auto _ : state) {
    fill(field);
    benchmark::DoNotOptimize(field.data());
  }
  state.counters["pixels/s"] = benchmark::Counter(double(side) * side, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace orlenza

// What a step back through the history costs: recomputing the default
// escape-time picture at 512 x 512 (the plain road, on one thread and on all
// cores) against swapping its field in from the raw image cache and colouring
// it again.

#include <benchmark/benchmark.h>

#include <memory>

#include "core/CoreRegistration.h"
#include "core/control/DrawingController.h"
#include "core/control/ProgressDialog.h"
#include "core/control/RawImageManager.h"
#include "core/control/UndoManager.h"
#include "core/engine/RowParallel.h"
#include "core/files/AlertSink.h"

namespace orlenza {
namespace {

struct Session {
  ProgressWindow window;
  RecordingAlertSink alerts;
  std::unique_ptr<DrawingController> controller;

  Session() {
    registerCoreFamilies();
    RawImageManager::reset();
    DrawingUndo::resetManager();
    controller = std::make_unique<DrawingController>(window, alerts);
    controller->setDrawingSizeAndRecompute(WidthAndHeight{512, 512});
  }
  ~Session() {
    controller.reset();
    RawImageManager::reset();
    DrawingUndo::resetManager();
  }
};

// The reference: every step computes the picture again.
void BM_StepByRecomputing(benchmark::State& state) {
  setThreadCount(static_cast<unsigned>(state.range(0)));
  Session session;
  for (auto _ : state) {
    bool const done = session.controller->recompute();
    benchmark::DoNotOptimize(done);
  }
  setThreadCount(0);
}

// The product: back and forward between two zoom levels, both from the cache.
void BM_StepFromCache(benchmark::State& state) {
  setThreadCount(static_cast<unsigned>(state.range(0)));
  Session session;
  session.controller->zoomInImage();
  for (auto _ : state) {
    session.controller->goToPreviousSnapshot();
    session.controller->goToNextSnapshot();
  }
  state.SetItemsProcessed(2 * state.iterations());
  setThreadCount(0);
}

}  // namespace

BENCHMARK(BM_StepByRecomputing)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StepFromCache)->Arg(1)->Arg(0)->ArgNames({"threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace orlenza

#pragma once
// A drawing controller with a progress window that counts computations and can
// cancel or fail one, starting from a clean cache and undo manager.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "core/CoreRegistration.h"
#include "core/control/DrawingController.h"
#include "core/control/ProgressDialog.h"
#include "core/control/RawImageManager.h"
#include "core/control/UndoManager.h"
#include "core/files/AlertSink.h"
#include "core/model/Snapshot.h"

namespace orlenza {

class CountingWindow : public ProgressWindow {
 public:
  int computations = 0;
  int ticks = 0;
  int cancelAtTick = 0;  // 0: never
  bool failAtFirstTick = false;

  void progressTicked(ProgressDialog& dialog) override {
    ++ticks;
    if (failAtFirstTick) throw std::runtime_error("computation failed");
    if (cancelAtTick > 0 && ticks == cancelAtTick) dialog.stopAction();
  }
  void runModal(ProgressDialog& dialog) override {
    ++computations;
    ticks = 0;
    ProgressWindow::runModal(dialog);
  }
};

class DrawingSessionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerCoreFamilies(); }

  void SetUp() override {
    RawImageManager::reset();
    DrawingUndo::resetManager();
    controller = std::make_unique<DrawingController>(window, alerts);
  }
  void TearDown() override {
    controller.reset();
    RawImageManager::reset();
    DrawingUndo::resetManager();
  }

  MainWindow& main() { return controller->getMainWindow(); }
  std::shared_ptr<Snapshot> drawn() { return main().getSnapshot(); }
  baseRawImage& image() { return *RawImageManager::instance().getCurrentImage(); }
  std::vector<RGBColor> pixels() const {
    RawBitMap const& bitmap = controller->getRawBitMap();
    std::size_t const n = static_cast<std::size_t>(bitmap.getWidth()) * bitmap.getHeight();
    return std::vector<RGBColor>(bitmap.colours(), bitmap.colours() + n);
  }
  std::vector<double> cells() {
    RawField const& field = image().getField();
    return std::vector<double>(field.data(), field.data() + field.cellCount());
  }
  // Small pictures keep the sessions quick.
  void useSmallPictures() { controller->setDrawingSizeAndRecompute(WidthAndHeight{48, 40}); }

  CountingWindow window;
  RecordingAlertSink alerts;
  std::unique_ptr<DrawingController> controller;
};

// Cells equal bit for bit, NaN equal to NaN.
inline bool sameCells(std::vector<double> const& a, std::vector<double> const& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!(a[i] == b[i] || (a[i] != a[i] && b[i] != b[i]))) return false;
  return true;
}

}  // namespace orlenza

#include "core/control/DrawingController.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "DrawingSession.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"
#include "core/files/SnapshotFile.h"
#include "core/library/StandardSnapshots.h"

namespace orlenza {
namespace {

TEST(RawImageManagerTest, CachesFiveImagesByIdentityOfTheirSnapshot) {
  RawImageManager::reset();
  RawImageManager& manager = RawImageManager::instance();
  auto first = manager.getCurrentImage();
  EXPECT_EQ(first->getSnapshot()->getIdentifier(), "EscParams");
  EXPECT_EQ(first->getWidth(), 100);
  EXPECT_EQ(first->getHeight(), 100);

  std::vector<std::shared_ptr<Snapshot>> snaps;
  for (int i = 0; i < 6; ++i) {
    snaps.push_back(StandardSnapshots::getSnapshot("EscParams", 0));
    first->setSnapshot(snaps.back());
    first->getField()[0][0] = i;
    manager.memorizeCurrentImage();
  }
  EXPECT_EQ(manager.memorizedCount(), 5);
  // The oldest is gone; an equal snapshot that is another object finds nothing.
  EXPECT_FALSE(manager.retrieveImageAndSwap(snaps[0].get()));
  auto equalCopy = snaps[3]->clone();
  ASSERT_TRUE(equalCopy->isEqual(*snaps[3]));
  EXPECT_FALSE(manager.retrieveImageAndSwap(equalCopy.get()));
  EXPECT_EQ(manager.getCurrentImage(), first);

  // The copies own their cells: changing the current field left them alone.
  ASSERT_TRUE(manager.retrieveImageAndSwap(snaps[3].get()));
  EXPECT_EQ(manager.getCurrentImage()->getField()[0][0], 3.0);
  EXPECT_EQ(manager.getCurrentImage()->getSnapshot(), snaps[3]);
  EXPECT_EQ(manager.memorizedCount(), 5);
  // The image that was current went to the front and can come back.
  ASSERT_TRUE(manager.retrieveImageAndSwap(snaps[5].get()));
  EXPECT_EQ(manager.getCurrentImage(), first);
  // An incomplete current image is not cached.
  ASSERT_TRUE(manager.retrieveImageAndSwap(snaps[4].get(), false));
  EXPECT_EQ(manager.memorizedCount(), 4);
  ASSERT_TRUE(manager.retrieveImageAndSwap(snaps[5].get()));  // the copy made in the loop
  EXPECT_NE(manager.getCurrentImage(), first);

  RawImageManager::reset();
  EXPECT_NE(RawImageManager::instance().getCurrentImage(), first);
  EXPECT_EQ(RawImageManager::instance().memorizedCount(), 0);
}

TEST_F(DrawingSessionTest, DrawsTheDefaultPictureOnceAsTheRendererDoes) {
  EXPECT_EQ(window.computations, 1);
  EXPECT_GT(window.ticks, 0);
  EXPECT_TRUE(controller->imageIsUpToDate());
  EXPECT_FALSE(controller->drawCommandEnabled());
  EXPECT_FALSE(main().drawButtonActive());
  ASSERT_EQ(controller->getRawBitMap().getWidth(), 256);
  ASSERT_EQ(controller->getRawBitMap().getHeight(), 256);
  EXPECT_EQ(drawn()->getIdentifier(), "EscParams");
  EXPECT_TRUE(alerts.empty());

  // The same picture through the renderer's own road.
  NullComputationNotifier notifier;
  auto rendered = renderSnapshot(StandardSnapshots::getSnapshot("EscParams", 0), 256, 256, false, notifier);
  ASSERT_TRUE(rendered);
  std::vector<RGBColor> const shown = pixels();
  int differing = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      std::uint16_t const* p = rendered->image.pixel(x, y);
      RGBColor const& c = shown[static_cast<std::size_t>(y) * 256 + x];
      if (c.red != p[0] || c.green != p[1] || c.blue != p[2]) ++differing;
    }
  EXPECT_EQ(differing, 0);
  // Not a blank picture.
  EXPECT_NE(shown.front(), shown[128 * 256 + 128]);
}

TEST_F(DrawingSessionTest, RecoloursWithoutComputingWhenOnlyColouringChanges) {
  std::vector<RGBColor> const before = pixels();
  std::vector<double> const fieldBefore = cells();
  auto const firstDrawn = drawn();

  // Accepting what is drawn changes nothing.
  main().acceptSnapshot(firstDrawn->clone());
  EXPECT_EQ(main().backHistory().size(), 0u);
  EXPECT_EQ(window.computations, 1);

  Gradation green;
  green.setColor(0.5, RGBColor{0, 65535, 0});
  controller->setCurrentGradation(green);
  EXPECT_EQ(window.computations, 1);
  EXPECT_EQ(RawImageManager::instance().memorizedCount(), 0);
  EXPECT_TRUE(sameCells(cells(), fieldBefore));
  EXPECT_NE(pixels(), before);
  EXPECT_EQ(drawn()->getCore().getGradationInfo().gradation, green);
  EXPECT_EQ(main().backHistory().size(), 1u);
  EXPECT_EQ(main().backHistory().top(), firstDrawn);
  EXPECT_FALSE(controller->drawCommandEnabled());

  // A preview recolours the bitmap only; undo returns to the gradation before it.
  Gradation blue;
  blue.setColor(0.5, RGBColor{0, 0, 65535});
  controller->previewGradation(blue);
  std::vector<RGBColor> const previewed = pixels();
  EXPECT_NE(previewed, before);
  EXPECT_EQ(drawn()->getCore().getGradationInfo().gradation, green);
  EXPECT_EQ(DrawingUndo::getManager().undoCount(), 1u);
  controller->setCurrentGradation(blue);
  EXPECT_EQ(pixels(), previewed);
  EXPECT_EQ(controller->getCurrentGradation(), blue);
  controller->doUndo();
  EXPECT_EQ(drawn()->getCore().getGradationInfo().gradation, green);
  EXPECT_EQ(window.computations, 1);

  // A norm typed and drawn recolours too.
  main().typeIntoField(WindowField::Norm, "100");
  EXPECT_TRUE(controller->drawCommandEnabled());
  controller->makeFractal();
  EXPECT_EQ(window.computations, 1);
  EXPECT_DOUBLE_EQ(drawn()->getCore().getNorm(), 100.0);
  EXPECT_FALSE(controller->drawCommandEnabled());

  // A filter without a parameter sets it to 0 and takes no typing; Relief keeps it.
  main().choosePostfilter(0, "pf_Relief");
  main().typeIntoField(WindowField::FirstPostfilterParam, "3");
  main().choosePostfilter(0, "pf_Derivative");
  EXPECT_FALSE(main().fieldEnabled(WindowField::FirstPostfilterParam));
  EXPECT_EQ(main().fieldText(WindowField::FirstPostfilterParam), "0");
  main().typeIntoField(WindowField::FirstPostfilterParam, "3");
  EXPECT_EQ(main().fieldText(WindowField::FirstPostfilterParam), "0");
  main().choosePostfilter(1, "pf_Relief");
  main().typeIntoField(WindowField::SecondPostfilterParam, "0.5");
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Typing");
  controller->makeFractal();
  EXPECT_EQ(window.computations, 1);
  EXPECT_EQ(drawn()->getCore().getPostfilteringParam(), 0.0);
  EXPECT_EQ(drawn()->getCore().getSecondPostfilteringParam(), 0.5);
}

TEST_F(DrawingSessionTest, CanceledComputationNeverShowsAHalfField) {
  useSmallPictures();
  std::vector<RGBColor> const before = pixels();
  std::vector<double> const fieldBefore = cells();
  int const computed = window.computations;

  window.cancelAtTick = 3;
  main().typeIntoField(WindowField::CenterX, "0.3");
  ASSERT_TRUE(controller->drawCommandEnabled());
  controller->makeFractal();
  EXPECT_EQ(window.computations, computed + 1);
  EXPECT_FALSE(controller->imageIsUpToDate());
  EXPECT_TRUE(controller->drawCommandEnabled());  // as it was
  EXPECT_EQ(pixels(), before);
  EXPECT_TRUE(sameCells(cells(), fieldBefore));
  EXPECT_DOUBLE_EQ(drawn()->getCore().getView().getCenterX(), 0.3);  // installed, not drawn
  EXPECT_TRUE(alerts.empty());

  // Drawing again recomputes although nothing changed.
  window.cancelAtTick = 0;
  controller->makeFractal();
  EXPECT_EQ(window.computations, computed + 2);
  EXPECT_TRUE(controller->imageIsUpToDate());
  EXPECT_FALSE(controller->drawCommandEnabled());
  EXPECT_NE(pixels(), before);
}

TEST_F(DrawingSessionTest, FailingComputationIsAlertedAndKeepsThePreviousPicture) {
  useSmallPictures();
  std::vector<RGBColor> const before = pixels();
  std::vector<double> const fieldBefore = cells();

  window.failAtFirstTick = true;
  main().typeIntoField(WindowField::Size, "1.5");
  controller->makeFractal();
  ASSERT_EQ(alerts.alerts().size(), 1u);
  EXPECT_EQ(alerts.alerts()[0].mainKey, "ComputationFailedMain");
  EXPECT_EQ(alerts.alerts()[0].explainKey, "ComputationFailedExplain");
  EXPECT_FALSE(controller->imageIsUpToDate());
  EXPECT_TRUE(controller->drawCommandEnabled());
  EXPECT_EQ(pixels(), before);
  EXPECT_TRUE(sameCells(cells(), fieldBefore));
  EXPECT_FALSE(controller->getImageWindow().redrawPrevented());

  window.failAtFirstTick = false;
  controller->makeFractal();
  EXPECT_EQ(alerts.alerts().size(), 1u);
  EXPECT_TRUE(controller->imageIsUpToDate());
  EXPECT_NE(pixels(), before);
}

TEST_F(DrawingSessionTest, DrawingSizesAreClampedAndPresetsAlwaysRecompute) {
  EXPECT_EQ(ImageWindow::clampSide(5), 16);
  EXPECT_EQ(ImageWindow::clampSide(-300), 300);
  EXPECT_EQ(ImageWindow::clampSide(5000), 2048);
  EXPECT_EQ(ImageWindow::clampSide(2048), 2048);

  controller->getImageWindow().setRequestedSize(5, -20);
  EXPECT_TRUE(controller->requestedImageSizeDiffersFromCurrent());
  controller->makeFractal();
  EXPECT_EQ(controller->getCurrentImageWidth(), 16);
  EXPECT_EQ(controller->getCurrentImageHeight(), 20);
  EXPECT_EQ(controller->getImageWindow().getRawDrawingWidth(), 16);
  EXPECT_EQ(image().getWidth(), 16);

  // Edited size fields draw at once, unless they still give the same size.
  int const before = window.computations;
  controller->imageSizeFieldsEdited(-16, 20);
  EXPECT_EQ(window.computations, before);
  controller->imageSizeFieldsEdited(64, 5000);
  EXPECT_EQ(window.computations, before + 1);
  EXPECT_EQ(controller->getCurrentImageHeight(), 2048);

  int const computed = window.computations;
  controller->setDrawingSizeAndRecompute(4);
  controller->setDrawingSizeAndRecompute(4);
  EXPECT_EQ(window.computations, computed + 2);
  EXPECT_EQ(controller->getCurrentImageWidth(), 800);
  EXPECT_EQ(controller->getCurrentImageHeight(), 600);
  controller->setDrawingSizeAndRecompute(17);
  EXPECT_EQ(controller->getCurrentImageWidth(), 256);
  EXPECT_EQ(controller->getCurrentImageHeight(), 256);
  EXPECT_FALSE(controller->drawCommandEnabled());
}

// Stop pressed in the waiting loop; a second computation asked for meanwhile.
struct StoppingWindow : ProgressWindow {
  bool stop = false;
  bool nestedRefused = false;
  baseRawImage* image = nullptr;
  void runModal(ProgressDialog& dialog) override {
    try {
      runComputation(*image, *this);
    } catch (std::logic_error const&) {
      nestedRefused = true;
    }
    if (stop) dialog.stopAction();
    ProgressWindow::runModal(dialog);
  }
};

TEST(ComputationTaskTest, StopsFromTheWaitingThreadAndRunsOneAtATime) {
  registerCoreFamilies();
  baseRawImage image(StandardSnapshots::getSnapshot("EscParams", 0));
  image.setSize(40, 30);
  image.getField().fill(7.0);
  StoppingWindow window;
  window.image = &image;
  window.stop = true;
  EXPECT_EQ(runComputation(image, window), ComputationOutcome::Canceled);
  EXPECT_TRUE(window.nestedRefused);
  for (std::size_t i = 0; i < image.getField().cellCount(); ++i) ASSERT_EQ(image.getField().data()[i], 7.0);

  window.stop = false;
  window.nestedRefused = false;
  EXPECT_EQ(runComputation(image, window), ComputationOutcome::Completed);
  EXPECT_TRUE(window.nestedRefused);
  EXPECT_EQ(image.getWidth(), 40);
  EXPECT_NE(image.getField()[20][15], 7.0);

  // A snapshot without a computator fails inside the task, and nothing leaks out.
  baseRawImage orphan(nullptr);
  std::string error;
  ProgressWindow plain;
  EXPECT_EQ(runComputation(orphan, plain, &error), ComputationOutcome::Failed);
  EXPECT_FALSE(error.empty());
}

TEST_F(DrawingSessionTest, AutomaticNormTakesTheFieldMaximum) {
  useSmallPictures();
  main().setAutoAdjustNorm(true);
  main().typeIntoField(WindowField::CenterX, "0.1");
  controller->makeFractal();
  double const maximum = image().getStats().max;
  ASSERT_GT(maximum, 0.0);
  EXPECT_DOUBLE_EQ(drawn()->getCore().getNorm(), maximum);
  EXPECT_EQ(main().fieldText(WindowField::Norm), formatSignificant(maximum, 10));
  EXPECT_FALSE(main().drawButtonActive());

  // On demand, without the box: a recolouring recorded for undo.
  main().turnOffAutoAdjustNorm();
  main().typeIntoField(WindowField::Norm, "5");
  controller->makeFractal();
  int const computed = window.computations;
  main().adjustNormAndRecompute();
  EXPECT_EQ(window.computations, computed);
  EXPECT_DOUBLE_EQ(drawn()->getCore().getNorm(), maximum);
  EXPECT_EQ(DrawingUndo::getManager().undoItemText(), "Undo Adjust Norm");

  // A browser snapshot keeps its own norm and clears undo.
  main().setAutoAdjustNorm(true);
  auto chosen = StandardSnapshots::getSnapshot("EscParams", 1);
  double const storedNorm = chosen->getCore().getNorm();
  controller->applySnapshot(chosen);
  EXPECT_FALSE(main().shouldAutoAdjustNorm());
  EXPECT_EQ(drawn(), chosen);
  EXPECT_DOUBLE_EQ(drawn()->getCore().getNorm(), storedNorm);
  EXPECT_FALSE(DrawingUndo::getManager().canUndo());
}

TEST_F(DrawingSessionTest, StoresDrawnPicturesInTheOpenSnapshotFile) {
  namespace fs = std::filesystem;
  fs::path const dir = fs::temp_directory_path() / ("orlenza-drawing-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path const path = dir / "mine.snaps";
  EXPECT_FALSE(controller->memorizeSnapshot("no file yet"));

  controller->makeNewSnapsFile(path);
  ASSERT_NE(controller->getSnapshotFile(), nullptr);
  EXPECT_FALSE(controller->memorizeSnapshot(" \t "));
  ASSERT_EQ(alerts.alerts().size(), 1u);
  EXPECT_EQ(alerts.alerts()[0].mainKey, "InvalidSnapshotNameMain");
  ASSERT_TRUE(controller->memorizeSnapshot("Starfish"));
  SnapshotFile* file = controller->getSnapshotFile();
  ASSERT_EQ(file->records().size(), 1u);
  EXPECT_NE(file->records()[0], drawn());
  EXPECT_EQ(file->records()[0]->getName(), "Starfish");
  EXPECT_TRUE(file->records()[0]->isEqual(*drawn()));
  EXPECT_TRUE(file->isModified());
  file->write();

  // Opening the file that is open keeps it; another file replaces it; a missing one does not.
  controller->openSnapsFile(path);
  EXPECT_EQ(controller->getSnapshotFile(), file);
  controller->closeSnapsFile();
  EXPECT_EQ(controller->getSnapshotFile(), nullptr);
  controller->openSnapsFile(path);
  ASSERT_NE(controller->getSnapshotFile(), nullptr);
  EXPECT_EQ(controller->getSnapshotFile()->records().size(), 1u);
  SnapshotFile* reopened = controller->getSnapshotFile();
  controller->openSnapsFile(dir / "missing.snaps");
  EXPECT_EQ(controller->getSnapshotFile(), reopened);
  EXPECT_EQ(alerts.alerts().back().mainKey, "CannotOpenFileMain");
  fs::remove_all(dir);
}

TEST(ImageMenuControllerTest, ListsUsedSizesSortedAfterTheSeparator) {
  ImageMenuController menu;
  EXPECT_EQ(menu.itemTexts().size(), 6u);
  EXPECT_EQ(menu.itemTexts()[4], "800 x 600");
  menu.reactToSize(300, 200);
  menu.reactToSize(128, 128);  // a preset
  menu.reactToSize(100, 50);
  menu.reactToSize(300, 100);
  menu.reactToSize(300, 200);  // listed already
  std::vector<WidthAndHeight> const expected{{100, 50}, {300, 100}, {300, 200}};
  EXPECT_EQ(menu.usedSizes(), expected);
  auto const texts = menu.itemTexts();
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[6], "-");
  EXPECT_EQ(texts[7], "100 x 50");
  EXPECT_EQ(menu.handleMenuCommand(7), (WidthAndHeight{100, 50}));
  EXPECT_EQ(menu.handleMenuCommand(9), (WidthAndHeight{300, 200}));
  EXPECT_EQ(menu.handleMenuCommand(6), (WidthAndHeight{0, 0}));
  EXPECT_EQ(menu.handleMenuCommand(10), (WidthAndHeight{0, 0}));
  EXPECT_EQ(menu.handleMenuCommand(2), (WidthAndHeight{0, 0}));
  EXPECT_EQ(ImageMenuController::presetSize(-1), (WidthAndHeight{256, 256}));
  EXPECT_EQ(ImageMenuController::presetSize(5), (WidthAndHeight{1024, 768}));
}

}  // namespace
}  // namespace orlenza

#pragma once
// The one current drawing: decides between recomputing and recolouring a
// snapshot, runs the computation on its own thread behind the progress
// window, colours the raw field into the bitmap, and offers the view
// operations (zoom, move, mirror, reset, sizes), undo and the history.

#include <filesystem>
#include <memory>
#include <string>

#include "core/control/DrawingTarget.h"
#include "core/control/ImageMenuController.h"
#include "core/control/MainWindow.h"
#include "core/engine/RawBitMap.h"

namespace orlenza {

class AlertSink;
class Gradation;
class ProgressWindow;
class SnapshotBrowserController;
class SnapshotFile;

struct Point {
  int h = 0;
  int v = 0;
};

struct Rect {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
};

// The image window's state: the requested drawing size as typed and whether
// the view may draw.
class ImageWindow {
 public:
  static constexpr int kMinSide = 16;
  static constexpr int kMaxSide = 2048;
  // The absolute value, into [kMinSide, kMaxSide].
  static int clampSide(long value);

  void setRequestedSize(long width, long height) {
    m_width = width;
    m_height = height;
  }
  long getRawDrawingWidth() const { return m_width; }
  long getRawDrawingHeight() const { return m_height; }
  int getDrawingWidth() const { return clampSide(m_width); }
  int getDrawingHeight() const { return clampSide(m_height); }

  bool redrawPrevented() const { return m_redrawPrevented; }
  void preventRedraw() { m_redrawPrevented = true; }
  void allowRedraw() { m_redrawPrevented = false; }
  // The mirror boxes of the image window.
  bool flipH() const { return m_flipH; }
  bool flipV() const { return m_flipV; }
  void updateControlsFromImage(bool flipH, bool flipV) {
    m_flipH = flipH;
    m_flipV = flipV;
  }

 private:
  long m_width = 256;
  long m_height = 256;
  bool m_redrawPrevented = false;
  bool m_flipH = false;
  bool m_flipV = false;
};

class DrawingController : public Redrawer, public SnapshotControllerIntf, public DrawingTarget {
 public:
  static constexpr std::string_view kFailureMainKey = "ComputationFailedMain";
  static constexpr std::string_view kFailureExplainKey = "ComputationFailedExplain";

  // Shows the first built-in escape-time picture at 256 x 256 (computed once).
  DrawingController(ProgressWindow& progress, AlertSink& alerts);
  ~DrawingController() override;
  DrawingController(DrawingController const&) = delete;
  DrawingController& operator=(DrawingController const&) = delete;

  // --- Redrawer
  // False when the computation was canceled or failed (the failure is
  // alerted); the previous cells then stay and the image is out of date.
  bool recompute() override;
  void redraw() override;
  void activateDrawing() override;
  void deactivateDrawing() override;
  void adjustDrawing() override;
  bool imageIsUpToDate() const override { return m_upToDate; }
  void resizeDrawing(int width, int height) override;
  void retrievedCompleteImage() override;

  void fullUpdate();
  // The image window's width or height field was edited: a new size is drawn at once.
  void imageSizeFieldsEdited(long width, long height);
  void makeFractal();
  bool requestedImageSizeDiffersFromCurrent() const;
  bool drawCommandEnabled() const { return m_drawEnabled; }

  // --- SnapshotControllerIntf
  void currentSnapshotControlsChanged(std::string const& undoKey) override;
  void currentGeneratorChanged() override;
  void takeNewCurrentSnap(std::shared_ptr<Snapshot> const& snapshot) override { m_currentSnap = snapshot; }
  std::shared_ptr<Snapshot> const& getCurrentSnap() const { return m_currentSnap; }

  // --- DrawingTarget
  std::shared_ptr<Snapshot> makeSnapshotFromControls() override { return m_mainWindow.makeSnapshotFromControls(); }
  // One undo step; drawn at once unless other edits wait for Draw.
  void setCurrentGradation(Gradation const& gradation) override;
  void applyCurrentKeyframe(std::shared_ptr<Snapshot> const& snapshot) override;
  // A snapshot chosen in the browser, drawn with its own norm; undo starts afresh.
  void applySnapshot(std::shared_ptr<Snapshot> snapshot) override;
  Gradation getCurrentGradation() const override { return m_mainWindow.getCurrentGradation(); }
  // Colours the field with gradation into the bitmap; the snapshots stay as they are.
  void previewGradation(Gradation const& gradation) override;
  void goToPreviousSnapshot();
  void goToNextSnapshot();
  void doUndo();
  void doRedo();

  // --- chance (commands 'Rand' and 'Rclr'), both undoable
  // New random parameters for the current generator, locked ones kept, drawn.
  void makeRandomFormula();
  // A new random gradation, recoloured.
  void randomizeGradation();

  // --- view navigation
  void zoomInImage();
  void zoomOutImage();
  void zoomImage(Rect const& rect);
  // A click in the picture: the plane point under it becomes the centre and the
  // view zooms in (or out) by the zoom commands' factor; undone as a zoom.
  void zoomAtPoint(Point const& point, bool zoomOut);
  void moveImage(Point const& from, Point const& to);
  void flipImageHorizontal(bool invert);
  void flipImageVertical(bool invert);
  // The 'Rest' command: a history entry, then resetView.
  void resetCommand();
  void resetView();
  void setDrawingSizeAndRecompute(int presetIndex);
  void setDrawingSizeAndRecompute(WidthAndHeight size);

  // --- the open snapshot file, shown by the browser (when one is set)
  void setSnapshotBrowser(SnapshotBrowserController* browser);
  // The open file, or null.
  SnapshotFile* getSnapshotFile() const { return m_snapshotFile.get(); }
  // An empty file at the place the save dialog gave replaces the open one.
  void makeNewSnapsFile(std::filesystem::path const& path);
  // Nothing when that file is open already; a file that cannot be opened
  // leaves the open one, with an alert.
  void openSnapsFile(std::filesystem::path const& path);
  void closeSnapsFile();
  // The Store command with the name typed: a copy of the drawn snapshot is
  // appended to the open file. A blank name is refused with an alert; false
  // when nothing was stored (no file, blank name, read-only file).
  bool memorizeSnapshot(std::string const& name);
  // Empty or made of blanks only: refused as a picture's name.
  static bool isBlankSnapshotName(std::string const& name);

  MainWindow& getMainWindow() { return m_mainWindow; }
  ImageWindow& getImageWindow() { return m_imageWindow; }
  RawBitMap const& getRawBitMap() const { return m_bitmap; }
  ImageMenuController& getImageMenu() { return m_imageMenu; }
  int getCurrentImageWidth() const { return m_bitmap.getWidth(); }
  int getCurrentImageHeight() const { return m_bitmap.getHeight(); }

 private:
  void redrawImage();
  void flip(bool horizontal, bool invert);

  void snapshotFileChanged();

  ProgressWindow& m_progress;
  AlertSink& m_alerts;
  RawBitMap m_bitmap;
  ImageMenuController m_imageMenu;
  ImageWindow m_imageWindow;
  MainWindow m_mainWindow;
  std::shared_ptr<Snapshot> m_currentSnap;
  std::unique_ptr<SnapshotFile> m_snapshotFile;
  SnapshotBrowserController* m_browser = nullptr;
  bool m_upToDate = false;
  bool m_ready = false;
  bool m_drawEnabled = false;
};

}  // namespace orlenza

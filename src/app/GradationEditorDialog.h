#pragma once
// The gradation editor "GradEdit": the keys of one gradation on a keyframe
// axis, the whole gradation as a colour strip, the selected key's position,
// and the buttons of the editor's commands. Modal; the drawing shows every
// change at once. It shows the GradationController and sends every gesture
// to it through the application.

#include <QDialog>

#include "core/control/GradationController.h"
#include "core/control/KeyframeAxis.h"

class QLineEdit;
class QPushButton;

namespace orlenza::app {

class Application;
class GradationStrip;
class KeyframeAxisWidget;

class GradationEditorDialog : public QDialog, public GradationEditorView, public GradationEditorSession {
  Q_OBJECT
 public:
  explicit GradationEditorDialog(Application& app);
  ~GradationEditorDialog() override;

  // GradationEditorView
  void gradationChanged(Gradation const& g) override;
  void select(KeyframePosition pos) override;
  void buttonsChanged() override;
  void zoomIn() override;
  void zoomOut() override;
  // GradationEditorSession: the dialog runs until OK or Cancel, the editor's
  // commands (and random colours) staying available.
  bool runModal(GradationController& controller) override;

  KeyframeAxisWidget* axisWidget() const { return m_axis; }
  QLineEdit* positionField() const { return m_position; }
  QPushButton* deleteButton() const { return m_delete; }
  QPushButton* changeColourButton() const { return m_change; }
  QWidget* colourStrip() const;

 private:
  void axisChanged();

  Application& m_app;
  KeyframeAxisWidget* m_axis;
  GradationStrip* m_strip;
  QLineEdit* m_position;
  QPushButton* m_delete;
  QPushButton* m_change;
  QPushButton* m_zoomIn;
  QPushButton* m_zoomOut;
  std::unique_ptr<KeyframeAxisController> m_gestures;
};

}  // namespace orlenza::app

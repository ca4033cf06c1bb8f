#pragma once
// The gradation chooser "GradChoose": the built-in gradations of a category
// and those of the open gradation file, each row drawn as its colour strip,
// one selection across both lists, and the buttons of the gradation commands.

#include <QWidget>

#include "core/control/GradationController.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace orlenza::app {

class Application;

class GradationChooserWindow : public QWidget, public GradationChooserView {
  Q_OBJECT
 public:
  explicit GradationChooserWindow(Application& app);
  ~GradationChooserWindow() override;

  // GradationChooserView
  void listRefilled(BrowserList list) override;
  void buttonsChanged() override;

  void bringToFront();
  // The category pop-up's item, 1-based ('CnfG' reads it).
  int categoryItem() const;

  QListWidget* list(BrowserList which) const;
  QComboBox* categoryPopup() const { return m_category; }
  QPushButton* applyButton() const { return m_apply; }
  QPushButton* deleteButton() const { return m_delete; }
  QPushButton* closeButton() const { return m_close; }

 private:
  void showSelection();

  Application& m_app;
  QComboBox* m_category;
  QListWidget* m_builtIn;
  QLabel* m_fileName;
  QListWidget* m_file;
  QPushButton* m_apply;
  QPushButton* m_delete;
  QPushButton* m_close;
  bool m_updating = false;
};

}  // namespace orlenza::app

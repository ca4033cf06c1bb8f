#pragma once
// The main window: menus and toolbar built from the command table, and every
// control of the controls model bound to it: the generator with its pane, the
// geometry with its pane, the view fields and the colouring settings, each
// group on a tab. Tab and Return in a text field go to the model, which knows
// the order of the fields and what Return draws.

#include <QMainWindow>

#include <array>

#include "core/control/MainWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolButton;

namespace orlenza::app {

class Application;
class GradationStrip;
class PaneWidget;

class MainWindowView : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindowView(Application& app);
  ~MainWindowView() override;

  // The widget of a text field of the window or of a pane shown.
  QWidget* widgetFor(FieldRef field) const;
  QLineEdit* windowField(WindowField field) const { return m_fields[static_cast<std::size_t>(field)]; }
  PaneWidget& generatorPane() const { return *m_generatorPane; }
  PaneWidget& geometryPane() const { return *m_geometryPane; }
  QTabWidget& tabs() const { return *m_tabs; }
  QComboBox& generatorMenu() const { return *m_generatorMenu; }
  QMenu& sizeMenu() const { return *m_sizeMenu; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildToolbar();
  QWidget* buildGeneratorRow();
  QWidget* buildViewTab();
  QWidget* buildColouringTab();
  QWidget* buildGeometryTab();
  QLineEdit* makeField(WindowField field);
  void refreshFromModel();
  void refreshSizeMenu();
  void focusModelField();
  MainWindow& model() const;

  Application& m_app;
  QTabWidget* m_tabs = nullptr;
  std::array<QLineEdit*, kWindowFieldCount> m_fields{};
  QCheckBox* m_flipH = nullptr;
  QCheckBox* m_flipV = nullptr;
  QCheckBox* m_autoNorm = nullptr;
  QComboBox* m_normalizer = nullptr;
  std::array<QComboBox*, 2> m_postfilters{};
  QComboBox* m_generatorMenu = nullptr;
  QToolButton* m_generatorUp = nullptr;
  QToolButton* m_generatorDown = nullptr;
  QComboBox* m_geometryMenu = nullptr;
  QLabel* m_inverseWarning = nullptr;
  QLabel* m_ignoredWarning = nullptr;
  PaneWidget* m_generatorPane = nullptr;
  PaneWidget* m_geometryPane = nullptr;
  GradationStrip* m_strip = nullptr;
  QMenu* m_sizeMenu = nullptr;
  std::size_t m_usedSizesShown = 0;
};

}  // namespace orlenza::app

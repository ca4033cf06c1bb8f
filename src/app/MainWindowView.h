#pragma once
// The main window: menus and toolbar built from the command table, and every
// control of the controls model (view, colouring, generator and geometry
// panes) bound to it.

#include <QMainWindow>

namespace orlenza::app {

class Application;

class MainWindowView : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindowView(Application& app);
  ~MainWindowView() override;

  void setTooltipsShown(bool shown);

 private:
  void buildMenus();
  void buildToolbar();
  void refreshFromModel();

  Application& m_app;
  bool m_tooltips = true;
};

}  // namespace orlenza::app

#pragma once
// One widget for every generator and geometry pane: it draws the pane model's
// field list (labels, text fields, check boxes, pop-ups) with a lock box
// beside each lockable parameter, and hands every gesture to the model.

#include <QWidget>

#include <cstddef>
#include <vector>

#include "core/control/MainWindow.h"

class QCheckBox;
class QGridLayout;

namespace orlenza::app {

class Application;

class PaneWidget : public QWidget {
  Q_OBJECT
 public:
  // keyFilter sees the keys of every text field (Tab and Return go to the
  // model); each text field carries its place and index as properties.
  PaneWidget(Application& app, ControlPlace place, QObject* keyFilter, QWidget* parent = nullptr);

  // The pane shown at this place now; rebuilt when it is another pane.
  void refreshFromModel();
  AbstractParameterPane* pane() const { return m_pane; }
  // The widget of field i (null outside the pane).
  QWidget* fieldWidget(std::size_t i) const { return i < m_fields.size() ? m_fields[i] : nullptr; }
  QCheckBox* lockBox(int lockIndex) const;

 private:
  void rebuild();
  void clear();

  Application& m_app;
  ControlPlace m_place;
  QObject* m_keyFilter;
  AbstractParameterPane* m_pane = nullptr;
  QGridLayout* m_grid = nullptr;
  std::vector<QWidget*> m_fields;
  std::vector<QCheckBox*> m_locks;
};

}  // namespace orlenza::app

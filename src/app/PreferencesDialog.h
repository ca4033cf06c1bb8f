#pragma once
// The Preferences window: the rubber band's default shape and the tooltips.

#include <QDialog>

#include "app/Preferences.h"

class QCheckBox;
class QRadioButton;

namespace orlenza::app {

class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  PreferencesDialog(Preferences const& current, QWidget* parent = nullptr);
  // What the controls show now.
  Preferences preferences() const;

 private:
  QRadioButton* m_centred = nullptr;
  QRadioButton* m_corner = nullptr;
  QCheckBox* m_tooltips = nullptr;
};

}  // namespace orlenza::app

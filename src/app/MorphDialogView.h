#pragma once
// The "Render" window: the movie's size, frame count, frame rate and codec,
// checked by the core's MorphDialog before the window closes.

#include <QDialog>

#include <array>
#include <optional>

#include "core/animation/MorphDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace orlenza::app {

class MorphDialogView : public QDialog {
  Q_OBJECT

 public:
  MorphDialogView(int drawingWidth, int drawingHeight, QWidget* parent = nullptr);

  // Runs the window; the settings, or nothing when the user cancels.
  std::optional<MovieSettings> ask();

  void accept() override;

 private:
  MorphDialog m_model;
  std::array<QLineEdit*, MorphDialog::fieldCount> m_fields{};
  QComboBox* m_codec = nullptr;
  QLabel* m_problem = nullptr;
  std::optional<MovieSettings> m_settings;
};

}  // namespace orlenza::app

#pragma once
// The "KeyframePos" window: one field for a keyframe's position. It stays open
// while the timeline refuses what was typed (its alert shows above it) and
// closes once a position is taken or the user cancels.

#include <QDialog>

#include <optional>
#include <string>

#include "core/control/ControllerDialogs.h"

class QEventLoop;
class QLineEdit;

namespace orlenza::app {

class KeyframePositionView : public QDialog, public KeyframePositionAsker {
  Q_OBJECT

 public:
  explicit KeyframePositionView(QWidget* parent = nullptr);

  std::optional<std::string> askKeyframePosition(std::string const& text) override;
  void closeKeyframePositionDialog() override;

  void accept() override;
  void reject() override;

 private:
  QLineEdit* m_field = nullptr;
  QEventLoop* m_loop = nullptr;
  bool m_confirmed = false;
};

}  // namespace orlenza::app

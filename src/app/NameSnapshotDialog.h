#pragma once
// "NameIt": asks the name under which the Store command keeps the picture. A
// name made of blanks only is refused with an alert, and the dialog stays.

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace orlenza {
class AlertSink;
}

namespace orlenza::app {

class NameSnapshotDialog : public QDialog {
  Q_OBJECT
 public:
  NameSnapshotDialog(AlertSink& alerts, QWidget* parent);

  QLineEdit* nameField() const { return m_name; }
  // The name confirmed, at most 255 bytes; nothing when cancelled.
  static std::optional<std::string> ask(AlertSink& alerts, QWidget* parent);

  void accept() override;

 private:
  AlertSink& m_alerts;
  QLineEdit* m_name;
};

}  // namespace orlenza::app

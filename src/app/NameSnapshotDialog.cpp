#include "app/NameSnapshotDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "core/control/ControllerSupport.h"
#include "core/control/DrawingController.h"
#include "core/control/SnapshotBrowserController.h"
#include "core/files/AlertSink.h"

namespace orlenza::app {

NameSnapshotDialog::NameSnapshotDialog(AlertSink& alerts, QWidget* parent)
    : QDialog(parent), m_alerts(alerts), m_name(new QLineEdit(this)) {
  setObjectName(QStringLiteral("NameIt"));
  setWindowTitle(text("NameItTitle"));
  m_name->setObjectName(QStringLiteral("nameField"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(text("NameItPrompt"), this));
  layout->addWidget(m_name);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &NameSnapshotDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void NameSnapshotDialog::accept() {
  if (DrawingController::isBlankSnapshotName(m_name->text().toStdString())) {
    m_alerts.showAlert("InvalidSnapshotNameMain", "InvalidSnapshotNameExplain");
    m_name->setFocus();
    return;
  }
  QDialog::accept();
}

std::optional<std::string> NameSnapshotDialog::ask(AlertSink& alerts, QWidget* parent) {
  NameSnapshotDialog dialog(alerts, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return control_detail::limitUtf8(dialog.m_name->text().toStdString(), SnapshotBrowserController::k_maxNameBytes);
}

}  // namespace orlenza::app

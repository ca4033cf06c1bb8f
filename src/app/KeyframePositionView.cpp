#include "app/KeyframePositionView.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/animation/KeyframePositionDialog.h"

namespace orlenza::app {

KeyframePositionView::KeyframePositionView(QWidget* parent) : QDialog(parent) {
  auto const name = KeyframePositionDialog::kDialogName;
  setObjectName(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  setWindowTitle(tr("Keyframe Position"));
  setModal(true);
  m_field = new QLineEdit;
  m_field->setObjectName("position");
  auto* form = new QFormLayout;
  form->addRow(tr("Position (0 to 1):"), m_field);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &KeyframePositionView::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &KeyframePositionView::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

std::optional<std::string> KeyframePositionView::askKeyframePosition(std::string const& text) {
  // Asked again after an alert: the window is still open with what was typed.
  if (!isVisible()) {
    m_field->setText(QString::fromStdString(text));
    show();
  }
  raise();
  activateWindow();
  m_field->setFocus();
  m_field->selectAll();
  QEventLoop loop;
  m_loop = &loop;
  m_confirmed = false;
  loop.exec();
  m_loop = nullptr;
  if (!m_confirmed) return std::nullopt;
  return m_field->text().toStdString();
}

void KeyframePositionView::closeKeyframePositionDialog() { hide(); }

void KeyframePositionView::accept() {
  m_confirmed = true;
  if (m_loop) m_loop->quit();
}

void KeyframePositionView::reject() {
  m_confirmed = false;
  hide();
  if (m_loop) m_loop->quit();
}

}  // namespace orlenza::app

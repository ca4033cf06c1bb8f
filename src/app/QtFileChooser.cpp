#include "app/QtFileChooser.h"

#include <QDir>
#include <QFileDialog>

#include "app/QtText.h"

namespace orlenza::app {

bool QtFileChooser::takeQueued(std::optional<std::filesystem::path>& answer) {
  if (m_answers.empty()) return false;
  answer = m_answers.front();
  m_answers.pop_front();
  return true;
}

static QString filterFor(std::string_view extension) {
  QString const ext = QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
  return QStringLiteral("%1 (*.%2)").arg(ext.toUpper(), ext);
}

std::optional<std::filesystem::path> QtFileChooser::chooseFileToOpen(std::string_view extension) {
  std::optional<std::filesystem::path> answer;
  if (takeQueued(answer)) return answer;
  QString const chosen = QFileDialog::getOpenFileName(m_parent, QString(), QString(), filterFor(extension));
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(chosen.toStdString());
}

std::optional<std::filesystem::path> QtFileChooser::chooseNewFile(std::string_view extension,
                                                                  std::string_view titleKey) {
  std::optional<std::filesystem::path> answer;
  if (takeQueued(answer)) return answer;
  QString const ext = QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
  QFileDialog dialog(m_parent, text(titleKey), QDir::homePath(), filterFor(extension));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(ext);
  dialog.selectFile(QStringLiteral("Untitled.") + ext);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

}  // namespace orlenza::app

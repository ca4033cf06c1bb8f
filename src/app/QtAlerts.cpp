#include "app/QtAlerts.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/QtText.h"

namespace orlenza::app {

void QtAlerts::showAlert(std::string const& mainKey, std::string const& explainKey) {
  m_shown.push_back(mainKey);
  if (m_headless) return;
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Orlenza"), text(mainKey), QMessageBox::Ok, m_parent);
  box.setInformativeText(text(explainKey));
  box.exec();
}

QuestionAnswer QtAlerts::ask(YesNoCancelQuestion const& question) {
  if (m_headless) {
    if (m_answers.empty()) return QuestionAnswer::cancel;
    QuestionAnswer const answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }
  QMessageBox box(QMessageBox::Question, QStringLiteral("Orlenza"), text(question.titleKey), QMessageBox::NoButton,
                  m_parent);
  box.setInformativeText(text(question.explainKey));
  QPushButton* yes = box.addButton(text(question.yesKey), QMessageBox::AcceptRole);
  QPushButton* no = box.addButton(text(question.noKey), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(text(question.cancelKey), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return QuestionAnswer::yes;
  if (box.clickedButton() == no) return QuestionAnswer::no;
  return QuestionAnswer::cancel;
}

}  // namespace orlenza::app

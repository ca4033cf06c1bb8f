#include "app/PaneWidget.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "app/Application.h"
#include "app/QtText.h"
#include "core/control/DrawingController.h"

namespace orlenza::app {

PaneWidget::PaneWidget(Application& app, ControlPlace place, QObject* keyFilter, QWidget* parent)
    : QWidget(parent), m_app(app), m_place(place), m_keyFilter(keyFilter) {
  m_grid = new QGridLayout(this);
  m_grid->setColumnStretch(1, 1);
  refreshFromModel();
}

QCheckBox* PaneWidget::lockBox(int lockIndex) const {
  for (QCheckBox* box : m_locks)
    if (box->property("lockIndex").toInt() == lockIndex) return box;
  return nullptr;
}

void PaneWidget::clear() {
  // Later, not now: the gesture that switched the pane may come from one of these widgets.
  while (QLayoutItem* item = m_grid->takeAt(0)) {
    if (QWidget* widget = item->widget()) {
      widget->hide();
      widget->setObjectName(QString());
      widget->deleteLater();
    }
    delete item;
  }
  m_fields.clear();
  m_locks.clear();
}

void PaneWidget::rebuild() {
  clear();
  if (!m_pane) return;
  MainWindow& window = m_app.drawing().getMainWindow();
  ControlPlace const place = m_place;
  bool anyLock = false;
  for (PaneField const& field : m_pane->fields()) anyLock = anyLock || field.lockIndex != 0;
  int row = 0;
  if (anyLock) {
    auto* header = new QLabel(text("lbl_Lock"), this);
    header->setToolTip(text("tip_Lock"));
    m_grid->addWidget(header, row++, 2, Qt::AlignCenter);
  }
  for (std::size_t i = 0; i < m_pane->fieldCount(); ++i, ++row) {
    PaneField const& field = m_pane->fields()[i];
    QWidget* widget = nullptr;
    QString const name = QStringLiteral("field%1").arg(i);
    switch (field.kind) {
      case FieldKind::Double:
      case FieldKind::Integer:
      case FieldKind::Text: {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textEdited, this, [this, &window, place, i](QString const& typed) {
          m_app.perform([&] { window.typeIntoPaneField(place, i, typed.toStdString()); });
        });
        widget = edit;
        break;
      }
      case FieldKind::CheckBox: {
        auto* box = new QCheckBox(this);
        connect(box, &QCheckBox::clicked, this, [this, &window, place, i](bool checked) {
          m_app.perform([&] { window.typeIntoPaneField(place, i, checked ? "1" : "0"); });
        });
        widget = box;
        break;
      }
      case FieldKind::Choice: {
        auto* menu = new QComboBox(this);
        for (std::string const& choice : field.choices) menu->addItem(text(choice));
        connect(menu, &QComboBox::activated, this, [this, &window, place, i](int index) {
          AbstractParameterPane* pane = m_pane;
          if (!pane || index < 0 || static_cast<std::size_t>(index) >= pane->fields()[i].choices.size()) return;
          std::string const chosen = pane->fields()[i].choices[static_cast<std::size_t>(index)];
          m_app.perform([&] { window.typeIntoPaneField(place, i, chosen); });
        });
        widget = menu;
        break;
      }
    }
    widget->setObjectName(name);
    auto* label = new QLabel(text(field.labelKey), this);
    label->setBuddy(widget);
    m_grid->addWidget(label, row, 0);
    m_grid->addWidget(widget, row, 1);
    m_fields.push_back(widget);
    if (field.isTextBox()) {
      widget->setProperty("fieldPlace", static_cast<int>(place));
      widget->setProperty("fieldIndex", static_cast<qulonglong>(i));
      widget->installEventFilter(m_keyFilter);
    }
    if (field.lockIndex != 0) {
      auto* lock = new QCheckBox(this);
      lock->setObjectName(QStringLiteral("lock%1").arg(field.lockIndex));
      lock->setProperty("lockIndex", field.lockIndex);
      lock->setToolTip(text("tip_Lock"));
      int const lockIndex = field.lockIndex;
      connect(lock, &QCheckBox::toggled, this, [this, lockIndex](bool on) {
        if (m_pane) m_pane->setLocked(lockIndex, on);
      });
      m_grid->addWidget(lock, row, 2, Qt::AlignCenter);
      m_locks.push_back(lock);
    }
  }
  m_grid->setRowStretch(row, 1);
}

void PaneWidget::refreshFromModel() {
  AbstractParameterPane* pane = m_app.drawing().getMainWindow().paneAt(m_place);
  if (pane != m_pane) {
    m_pane = pane;
    rebuild();
  }
  if (!m_pane) return;
  for (std::size_t i = 0; i < m_fields.size(); ++i) {
    PaneField const& field = m_pane->fields()[i];
    std::string const& value = m_pane->fieldText(i);
    if (auto* edit = qobject_cast<QLineEdit*>(m_fields[i])) {
      QString const shown = toQString(value);
      // Only a changed text is written, so the cursor of a field being typed into stays.
      if (edit->text() != shown) edit->setText(shown);
    } else if (auto* box = qobject_cast<QCheckBox*>(m_fields[i])) {
      QSignalBlocker block(box);
      box->setChecked(value != "0" && !value.empty());
    } else if (auto* menu = qobject_cast<QComboBox*>(m_fields[i])) {
      QSignalBlocker block(menu);
      auto const it = std::find(field.choices.begin(), field.choices.end(), value);
      menu->setCurrentIndex(it == field.choices.end() ? 0 : static_cast<int>(it - field.choices.begin()));
    }
  }
  for (QCheckBox* lock : m_locks) {
    QSignalBlocker block(lock);
    lock->setChecked(m_pane->isLocked(lock->property("lockIndex").toInt()));
  }
}

}  // namespace orlenza::app

#include "app/MorphDialogView.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <variant>

namespace orlenza::app {

MorphDialogView::MorphDialogView(int drawingWidth, int drawingHeight, QWidget* parent)
    : QDialog(parent), m_model(drawingWidth, drawingHeight) {
  setObjectName(QString::fromUtf8(MorphDialog::kDialogName.data(), MorphDialog::kDialogName.size()));
  setWindowTitle(tr("Render Movie"));
  static constexpr char const* kLabels[] = {"Width:", "Height:", "Frame count:", "Frames per second:"};
  static constexpr char const* kNames[] = {"width", "height", "frameCount", "framesPerSecond"};
  auto* form = new QFormLayout;
  for (int field = 0; field < MorphDialog::fieldCount; ++field) {
    auto* edit = new QLineEdit(QString::fromStdString(m_model.getText(static_cast<MorphDialog::Field>(field))));
    edit->setObjectName(kNames[field]);
    if (field == MorphDialog::frameCount)
      edit->setToolTip(tr("N: the movie shows the timeline at 0, 1/N, 2/N ... 1, so it holds N + 1 frames."));
    form->addRow(tr(kLabels[field]), edit);
    m_fields[static_cast<std::size_t>(field)] = edit;
  }
  m_codec = new QComboBox;
  m_codec->setObjectName("codec");
  for (std::string_view item : MorphDialog::kCodecItems)
    m_codec->addItem(QString::fromUtf8(item.data(), static_cast<int>(item.size())));
  m_codec->setCurrentIndex(m_model.getCodecItem());
  form->addRow(tr("Codec:"), m_codec);

  m_problem = new QLabel;
  m_problem->setObjectName("problem");
  m_problem->setWordWrap(true);
  m_problem->setStyleSheet("color: #b00000");
  m_problem->hide();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &MorphDialogView::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &MorphDialogView::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_problem);
  layout->addWidget(buttons);
  m_fields[MorphDialog::width]->setFocus();
  m_fields[MorphDialog::width]->selectAll();
}

std::optional<MovieSettings> MorphDialogView::ask() {
  m_settings.reset();
  exec();
  return m_settings;
}

void MorphDialogView::accept() {
  for (int field = 0; field < MorphDialog::fieldCount; ++field)
    m_model.setText(static_cast<MorphDialog::Field>(field), m_fields[static_cast<std::size_t>(field)]->text().toStdString());
  m_model.setCodecItem(m_codec->currentIndex());
  auto answer = m_model.confirm();
  if (auto const* sentence = std::get_if<std::string>(&answer)) {
    // Refused here, so no file is touched and no frame computed.
    m_problem->setText(QString::fromStdString(*sentence));
    m_problem->show();
    return;
  }
  m_settings = std::get<MovieSettings>(answer);
  QDialog::accept();
}

}  // namespace orlenza::app

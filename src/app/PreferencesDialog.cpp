#include "app/PreferencesDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/QtText.h"

namespace orlenza::app {

PreferencesDialog::PreferencesDialog(Preferences const& current, QWidget* parent) : QDialog(parent) {
  setWindowTitle(text("PrefsTitle"));
  auto* layout = new QVBoxLayout(this);
  auto* zoom = new QGroupBox(text("PrefsZoomGroup"), this);
  auto* zoomLayout = new QVBoxLayout(zoom);
  m_centred = new QRadioButton(text("PrefsZoomCentred"), zoom);
  m_corner = new QRadioButton(text("PrefsZoomCorner"), zoom);
  m_centred->setObjectName(QStringLiteral("centred"));
  m_corner->setObjectName(QStringLiteral("corner"));
  auto* group = new QButtonGroup(this);
  group->addButton(m_centred, 1);
  group->addButton(m_corner, 2);
  zoomLayout->addWidget(m_centred);
  zoomLayout->addWidget(m_corner);
  layout->addWidget(zoom);
  m_tooltips = new QCheckBox(text("PrefsTooltips"), this);
  m_tooltips->setObjectName(QStringLiteral("tooltips"));
  layout->addWidget(m_tooltips);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  (current.defaultZoomCentred ? m_centred : m_corner)->setChecked(true);
  m_tooltips->setChecked(current.displayTooltips);
}

Preferences PreferencesDialog::preferences() const {
  Preferences prefs;
  prefs.defaultZoomCentred = m_centred->isChecked();
  prefs.displayTooltips = m_tooltips->isChecked();
  return prefs;
}

}  // namespace orlenza::app

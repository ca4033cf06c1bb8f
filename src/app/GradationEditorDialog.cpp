#include "app/GradationEditorDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/GradationStrip.h"
#include "app/KeyframeAxisWidget.h"
#include "app/QtText.h"

namespace orlenza::app {

namespace {

// The axis's gestures reach the controller as the application's gestures, so
// that errors are reported and the windows refreshed after each.
class EditorGestures : public KeyframeAxisController {
 public:
  explicit EditorGestures(Application& app) : m_app(app) {}
  bool entryAdded(KeyframePosition pos) override {
    bool added = false;
    m_app.perform([&] { added = m_app.gradations().entryAdded(pos); });
    return added;
  }
  void currentSelectionChanged(KeyframePosition pos) override {
    m_app.perform([&] { m_app.gradations().currentSelectionChanged(pos); });
  }
  void entryMoved(KeyframePosition from, KeyframePosition to) override {
    m_app.perform([&] { m_app.gradations().entryMoved(from, to); });
  }

 private:
  Application& m_app;
};

}  // namespace

GradationEditorDialog::GradationEditorDialog(Application& app)
    : QDialog(nullptr),
      m_app(app),
      m_axis(new KeyframeAxisWidget(KeyframeAxis::Ends::fixed, this)),
      m_strip(new GradationStrip(this)),
      m_position(new QLineEdit(this)),
      m_delete(new QPushButton(text("gradedit_Delete"), this)),
      m_change(new QPushButton(text("gradedit_ChangeColour"), this)),
      m_zoomIn(new QPushButton(QStringLiteral("+"), this)),
      m_zoomOut(new QPushButton(QStringLiteral("\u2212"), this)),
      m_gestures(std::make_unique<EditorGestures>(app)) {
  setObjectName(QStringLiteral("GradEdit"));
  setWindowTitle(text("GradEditTitle"));
  setModal(true);
  m_axis->setObjectName(QStringLiteral("gradationAxis"));
  m_strip->setObjectName(QStringLiteral("colourStrip"));
  m_strip->setMinimumHeight(24);
  m_axis->axis().setController(m_gestures.get());
  m_position->setObjectName(QStringLiteral("positionField"));
  m_position->setMaximumWidth(90);
  m_zoomIn->setToolTip(text("cmd_GradationZoomIn"));
  m_zoomOut->setToolTip(text("cmd_GradationZoomOut"));
  m_axis->setToolTip(text("gradedit_AxisHelp"));
  auto* add = new QPushButton(text("gradedit_AddColour"), this);
  auto* random = new QPushButton(text("gradedit_Random"), this);
  for (QPushButton* b : {m_delete, m_change, m_zoomIn, m_zoomOut, add, random}) b->setAutoDefault(false);
  m_zoomIn->setFixedWidth(32);
  m_zoomOut->setFixedWidth(32);

  auto* buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(text("gradedit_Position"), this));
  row->addWidget(m_position);
  row->addWidget(add);
  row->addWidget(m_delete);
  row->addWidget(m_change);
  row->addWidget(random);
  row->addStretch(1);
  row->addWidget(m_zoomOut);
  row->addWidget(m_zoomIn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_axis);
  layout->addWidget(m_strip);
  layout->addLayout(row);
  layout->addWidget(buttonBox);
  resize(560, 220);

  auto send = [this](char const* four) { return [this, four] { m_app.dispatch(commandId(four)); }; };
  connect(add, &QPushButton::clicked, this, send("Colr"));
  connect(m_delete, &QPushButton::clicked, this, send("Dclr"));
  connect(m_change, &QPushButton::clicked, this, send("Cclr"));
  connect(random, &QPushButton::clicked, this, send("Rclr"));
  connect(m_zoomIn, &QPushButton::clicked, this, send("GrZ+"));
  connect(m_zoomOut, &QPushButton::clicked, this, send("GrZ-"));
  connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_position, &QLineEdit::returnPressed, this, [this] {
    std::string const typed = m_position->text().toStdString();
    m_app.perform([&] { m_app.gradations().moveSelectedEntry(typed); });
  });
  connect(m_axis, &KeyframeAxisWidget::axisChanged, this, &GradationEditorDialog::axisChanged);
  axisChanged();
}

GradationEditorDialog::~GradationEditorDialog() { m_axis->axis().setController(nullptr); }

QWidget* GradationEditorDialog::colourStrip() const { return m_strip; }

void GradationEditorDialog::gradationChanged(Gradation const& g) {
  if (m_app.closing()) return;
  KeyframeAxis::Entries entries;
  for (auto const& [pos, colour] : g.entries()) entries[pos] = KeyframeAxisEntry{colour, nullptr};
  m_axis->axis().setEntries(std::move(entries));
  m_strip->setGradation(g);
}

void GradationEditorDialog::select(KeyframePosition pos) { m_axis->axis().setSelection(pos); }

void GradationEditorDialog::buttonsChanged() {
  if (m_app.closing()) return;
  GradationController const& c = m_app.gradations();
  m_delete->setEnabled(c.isDeleteEnabled());
  m_change->setEnabled(c.isChangeColourEnabled());
}

void GradationEditorDialog::zoomIn() { m_axis->axis().zoomIn(); }
void GradationEditorDialog::zoomOut() { m_axis->axis().zoomOut(); }

void GradationEditorDialog::axisChanged() {
  KeyframeAxis const& axis = m_axis->axis();
  m_position->setEnabled(axis.positionFieldEnabled());
  m_position->setText(QString::fromStdString(axis.positionText()));
  m_zoomIn->setEnabled(!axis.isFullyZoomedIn());
  m_zoomOut->setEnabled(!axis.isFullyZoomedOut());
}

bool GradationEditorDialog::runModal(GradationController&) {
  bool ok = false;
  m_axis->axis().deselect();
  auto const id = [](char const* four) { return commandId(four); };
  m_app.runModal({id("Colr"), id("Dclr"), id("Cclr"), id("Rclr"), id("GrZ+"), id("GrZ-"), id("aplG")},
                 [&] { ok = exec() == QDialog::Accepted; });
  return ok;
}

}  // namespace orlenza::app

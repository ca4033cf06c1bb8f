#include "app/GradationChooserWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/QtText.h"
#include "core/library/StandardGradations.h"

namespace orlenza::app {

namespace {

constexpr int k_rowHeight = 22;

// A row is its gradation's colour strip; the selected row is framed in red
// (2 pixels) with the strip 3 pixels inside the frame.
class StripDelegate : public QStyledItemDelegate {
 public:
  StripDelegate(Application& app, BrowserList list, QObject* parent)
      : QStyledItemDelegate(parent), m_app(app), m_list(list) {}

  void paint(QPainter* painter, QStyleOptionViewItem const& option, QModelIndex const& index) const override {
    Gradation const* g = m_app.gradations().getGradation(m_list, index.row());
    if (!g) return;
    QRect strip = option.rect.adjusted(1, 1, -1, -1);
    bool const selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->fillRect(option.rect, option.palette.base());
    if (selected) {
      painter->setPen(QPen(Qt::red, 2));
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
      strip = option.rect.adjusted(3, 3, -3, -3);
    }
    std::vector<RGBColor> const columns = g->colourStrip(strip.width());
    for (int x = 0; x < static_cast<int>(columns.size()); ++x) {
      RGBColor const& c = columns[static_cast<std::size_t>(x)];
      painter->setPen(QColor::fromRgba64(c.red, c.green, c.blue));
      painter->drawLine(strip.left() + x, strip.top(), strip.left() + x, strip.bottom());
    }
    painter->restore();
  }
  QSize sizeHint(QStyleOptionViewItem const&, QModelIndex const&) const override { return {120, k_rowHeight}; }

 private:
  Application& m_app;
  BrowserList m_list;
};

}  // namespace

GradationChooserWindow::GradationChooserWindow(Application& app)
    : QWidget(nullptr, Qt::Window),
      m_app(app),
      m_category(new QComboBox(this)),
      m_builtIn(new QListWidget(this)),
      m_fileName(new QLabel(this)),
      m_file(new QListWidget(this)),
      m_apply(new QPushButton(text("browser_Apply"), this)),
      m_delete(new QPushButton(text("browser_Delete"), this)),
      m_close(new QPushButton(text("browser_CloseFile"), this)) {
  setObjectName(QStringLiteral("GradChoose"));
  setWindowTitle(text("GradChooseTitle"));
  for (std::string const& name : StandardGradations::getCategoryNames()) m_category->addItem(toQString(name));
  m_builtIn->setObjectName(QStringLiteral("builtInList"));
  m_file->setObjectName(QStringLiteral("fileList"));
  m_builtIn->setItemDelegate(new StripDelegate(app, BrowserList::builtIn, m_builtIn));
  m_file->setItemDelegate(new StripDelegate(app, BrowserList::file, m_file));
  m_apply->setDefault(true);

  auto* store = new QPushButton(text("gradchoose_Store"), this);
  auto* edit = new QPushButton(text("gradchoose_Edit"), this);
  auto* newFile = new QPushButton(text("browser_NewFile"), this);
  auto* openFile = new QPushButton(text("browser_OpenFile"), this);

  auto* lists = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(m_category);
  left->addWidget(m_builtIn, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(m_fileName);
  right->addWidget(m_file, 1);
  lists->addLayout(left, 1);
  lists->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {edit, store, m_delete, newFile, openFile, m_close}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(m_apply);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  resize(620, 420);

  auto send = [this](char const* four) { return [this, four] { m_app.dispatch(commandId(four)); }; };
  connect(m_apply, &QPushButton::clicked, this, send("AppG"));
  connect(m_delete, &QPushButton::clicked, this, send("DelG"));
  connect(m_close, &QPushButton::clicked, this, send("ClsG"));
  connect(store, &QPushButton::clicked, this, send("StGd"));
  connect(edit, &QPushButton::clicked, this, send("Eclr"));
  connect(newFile, &QPushButton::clicked, this, send("NewG"));
  connect(openFile, &QPushButton::clicked, this, send("OpeG"));
  connect(m_category, &QComboBox::currentIndexChanged, this, [this] {
    if (!m_updating) m_app.dispatch(commandId("CnfG"));
  });
  for (BrowserList which : {BrowserList::builtIn, BrowserList::file}) {
    QListWidget* widget = list(which);
    connect(widget, &QListWidget::currentRowChanged, this, [this, which](int row) {
      if (!m_updating && row >= 0) m_app.perform([this, which, row] { m_app.gradations().selectEntry(which, row); });
    });
    connect(widget, &QListWidget::itemDoubleClicked, this, [this, which, widget](QListWidgetItem* item) {
      int const row = widget->row(item);
      m_app.perform([this, which, row] { m_app.gradations().selectEntry(which, row); });
      m_app.dispatch(commandId("AppG"));
    });
  }
}

GradationChooserWindow::~GradationChooserWindow() = default;

QListWidget* GradationChooserWindow::list(BrowserList which) const {
  return which == BrowserList::builtIn ? m_builtIn : m_file;
}

int GradationChooserWindow::categoryItem() const { return m_category->currentIndex() + 1; }

void GradationChooserWindow::bringToFront() {
  show();
  raise();
  activateWindow();
}

void GradationChooserWindow::listRefilled(BrowserList which) {
  if (m_app.closing()) return;
  GradationController const& c = m_app.gradations();
  QListWidget* widget = list(which);
  m_updating = true;
  widget->clear();
  for (int i = 0, n = c.getNumEntries(which); i < n; ++i) {
    auto* item = new QListWidgetItem(widget);
    item->setSizeHint({120, k_rowHeight});
  }
  if (which == BrowserList::file) {
    GradationFile const* file = c.getGradationFile();
    m_fileName->setText(!file                      ? text("browser_NoFile")
                        : file->getPath().empty() ? text("browser_Untitled")
                                                   : toQString(file->getPath().filename().string()));
  } else {
    m_category->setCurrentIndex(static_cast<int>(c.getCategory()));
  }
  m_updating = false;
  showSelection();
}

void GradationChooserWindow::buttonsChanged() {
  if (m_app.closing()) return;
  BrowserButtons const buttons = m_app.gradations().getButtons();
  m_apply->setEnabled(buttons.apply);
  m_delete->setEnabled(buttons.remove);
  m_close->setEnabled(buttons.needsFile);
  showSelection();
}

void GradationChooserWindow::showSelection() {
  GradationController const& c = m_app.gradations();
  m_updating = true;
  for (BrowserList which : {BrowserList::builtIn, BrowserList::file}) {
    QListWidget* widget = list(which);
    std::optional<int> const selected = c.getSelectedIndex(which);
    if (selected) {
      widget->setCurrentRow(*selected);
    } else {
      widget->clearSelection();
      widget->setCurrentRow(-1);
    }
  }
  m_updating = false;
}

}  // namespace orlenza::app

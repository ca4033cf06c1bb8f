#include "app/SnapshotBrowserWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/Application.h"
#include "app/QtText.h"
#include "core/control/DrawingController.h"
#include "core/files/SnapshotFile.h"

namespace orlenza::app {

namespace {

constexpr int k_previewSide = 160;

QImage toQImage(RgbImage16 const& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB888);
  for (int y = 0; y < picture.height; ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < picture.width; ++x) {
      std::uint16_t const* pixel = picture.pixel(x, y);
      for (int c = 0; c < 3; ++c) line[3 * x + c] = static_cast<uchar>(pixel[c] >> 8);
    }
  }
  return image;
}

}  // namespace

SnapshotBrowserWindow::SnapshotBrowserWindow(Application& app)
    : QWidget(nullptr, Qt::Window),
      m_app(app),
      m_category(new QComboBox(this)),
      m_builtIn(new QListWidget(this)),
      m_fileName(new QLabel(this)),
      m_file(new QListWidget(this)),
      m_preview(new QLabel(this)),
      m_apply(new QPushButton(text("browser_Apply"), this)),
      m_delete(new QPushButton(text("browser_Delete"), this)),
      m_close(new QPushButton(text("browser_CloseFile"), this)) {
  setObjectName(QStringLiteral("SnapsBrowser"));
  setWindowTitle(text("SnapsBrowserTitle"));
  for (int i = 0; i < SnapshotBrowserController::k_numCategories; ++i)
    m_category->addItem(text(SnapshotBrowserController::categoryKey(i)));
  m_builtIn->setObjectName(QStringLiteral("builtInList"));
  m_file->setObjectName(QStringLiteral("fileList"));
  m_preview->setObjectName(QStringLiteral("preview"));
  m_preview->setFixedSize(k_previewSide, k_previewSide);
  m_preview->setAlignment(Qt::AlignCenter);
  m_preview->setFrameShape(QFrame::StyledPanel);
  m_apply->setDefault(true);
  m_apply->setAutoDefault(true);

  auto* store = new QPushButton(text("browser_Store"), this);
  auto* newFile = new QPushButton(text("browser_NewFile"), this);
  auto* openFile = new QPushButton(text("browser_OpenFile"), this);

  auto* lists = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(m_category);
  left->addWidget(m_builtIn, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(m_fileName);
  right->addWidget(m_file, 1);
  auto* side = new QVBoxLayout;
  side->addWidget(m_preview);
  side->addStretch(1);
  lists->addLayout(left, 1);
  lists->addLayout(right, 1);
  lists->addLayout(side);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {store, m_delete, newFile, openFile, m_close}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(m_apply);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  resize(640, 360);

  auto send = [this](char const* four) { return [this, four] { m_app.dispatch(commandId(four)); }; };
  connect(m_apply, &QPushButton::clicked, this, send("AppC"));
  connect(m_delete, &QPushButton::clicked, this, send("SnaD"));
  connect(m_close, &QPushButton::clicked, this, send("ClsC"));
  connect(store, &QPushButton::clicked, this, send("Snap"));
  connect(newFile, &QPushButton::clicked, this, send("NewC"));
  connect(openFile, &QPushButton::clicked, this, send("OpeC"));
  connect(m_category, &QComboBox::currentIndexChanged, this, [this] {
    if (!m_updating) m_app.dispatch(commandId("CnfS"));
  });
  for (BrowserList which : {BrowserList::builtIn, BrowserList::file}) {
    QListWidget* widget = list(which);
    connect(widget, &QListWidget::currentRowChanged, this, [this, which](int row) {
      if (!m_updating && row >= 0) rowClicked(which, row);
    });
    connect(widget, &QListWidget::itemClicked, this, [this, which, widget](QListWidgetItem* item) {
      if (!m_updating) rowClicked(which, widget->row(item));
    });
    connect(widget, &QListWidget::itemDoubleClicked, this, [this, which, widget](QListWidgetItem* item) {
      rowClicked(which, widget->row(item));
      m_app.dispatch(commandId("AppC"));
    });
  }
  connect(m_file, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!m_updating) rowRenamed(m_file->row(item), item->text());
  });

  m_previewer = std::make_unique<SnapshotPreviewer>([this](std::uint64_t ticket, SnapshotPreviewer::Picture picture) {
    // The worker's thread: the window is only touched on its own.
    QMetaObject::invokeMethod(
        this, [this, ticket, picture] { previewReady(ticket, picture); }, Qt::QueuedConnection);
  });
}

SnapshotBrowserWindow::~SnapshotBrowserWindow() { m_previewer.reset(); }

QListWidget* SnapshotBrowserWindow::list(BrowserList which) const {
  return which == BrowserList::builtIn ? m_builtIn : m_file;
}

int SnapshotBrowserWindow::categoryItem() const { return m_category->currentIndex() + 1; }

void SnapshotBrowserWindow::listRefilled(BrowserList which) {
  if (m_app.closing()) return;
  SnapshotBrowserController const& browser = m_app.browser();
  QListWidget* widget = list(which);
  m_updating = true;
  widget->clear();
  bool const editable = browser.allowsEditing(which);
  for (int i = 0, n = browser.getNumEntries(which); i < n; ++i) {
    auto* item = new QListWidgetItem(toQString(browser.getEntryName(which, i)), widget);
    if (editable) item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
  if (which == BrowserList::file) {
    std::string const name = browser.getFileName();
    m_fileName->setText(name.empty() ? text("browser_NoFile") : toQString(name));
  } else {
    m_category->setCurrentIndex(browser.getCategory());
  }
  m_updating = false;
  showSelection();
}

void SnapshotBrowserWindow::buttonsChanged() {
  if (m_app.closing()) return;
  BrowserButtons const buttons = m_app.browser().getButtons();
  m_apply->setEnabled(buttons.apply);
  m_delete->setEnabled(buttons.remove);
  m_close->setEnabled(buttons.needsFile);
  showSelection();
}

void SnapshotBrowserWindow::bringToFront() {
  show();
  raise();
  activateWindow();
}

void SnapshotBrowserWindow::rowClicked(BrowserList which, int row) {
  m_app.perform([this, which, row] { m_app.browser().selectEntry(which, row); });
}

void SnapshotBrowserWindow::rowRenamed(int row, QString const& typed) {
  m_app.perform([this, row, typed] {
    if (m_app.browser().setSnapshotName(row, typed.toStdString())) m_app.saveSnapshotFile();
  });
  // The row shows the name kept: cut to its limit, or the old one when refused.
  if (QListWidgetItem* item = m_file->item(row)) {
    m_updating = true;
    item->setText(toQString(m_app.browser().getEntryName(BrowserList::file, row)));
    m_updating = false;
  }
}

// The lists' marks follow the controller's one selection.
void SnapshotBrowserWindow::showSelection() {
  SnapshotBrowserController const& browser = m_app.browser();
  m_updating = true;
  for (BrowserList which : {BrowserList::builtIn, BrowserList::file}) {
    QListWidget* widget = list(which);
    std::optional<int> const selected = browser.getSelectedIndex(which);
    if (selected) {
      widget->setCurrentRow(*selected);
    } else {
      widget->clearSelection();
      widget->setCurrentRow(-1);
    }
  }
  m_updating = false;
  requestPreview();
}

void SnapshotBrowserWindow::requestPreview() {
  std::shared_ptr<Snapshot> const selected = m_app.browser().getCurrentlySelectedSnapshot();
  if (!selected) {
    m_previewer->cancel();
    m_wantedTicket = 0;
    m_preview->clear();
    return;
  }
  // The shape of the drawing, which Apply would fill.
  int const w = std::max(1, m_app.drawing().getCurrentImageWidth());
  int const h = std::max(1, m_app.drawing().getCurrentImageHeight());
  int const side = k_previewSide - 4;
  int const pw = w >= h ? side : std::max(1, side * w / h);
  int const ph = w >= h ? std::max(1, side * h / w) : side;
  std::uint64_t ticket = 0;
  SnapshotPreviewer::Picture const cached = m_previewer->request(*selected, pw, ph, ticket);
  m_wantedTicket = ticket;
  if (cached) {
    previewReady(ticket, cached);
  } else {
    m_preview->setText(text("browser_Computing"));
  }
}

void SnapshotBrowserWindow::previewReady(std::uint64_t ticket, SnapshotPreviewer::Picture const& picture) {
  if (ticket != m_wantedTicket) return;
  m_shownTicket = ticket;
  if (picture)
    m_preview->setPixmap(QPixmap::fromImage(toQImage(*picture)));
  else
    m_preview->setText(text("browser_NoPreview"));
}

}  // namespace orlenza::app

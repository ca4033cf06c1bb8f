#include "app/MainWindowView.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/GradationStrip.h"
#include "app/Icons.h"
#include "app/PaneWidget.h"
#include "app/QtText.h"
#include "core/control/DrawingController.h"

namespace orlenza::app {

namespace {

// Tab pages in ControlTab order.
constexpr ControlTab kTabs[] = {ControlTab::Generator, ControlTab::Geometry, ControlTab::View, ControlTab::Colouring};

int tabIndex(ControlTab tab) {
  for (int i = 0; i < 4; ++i)
    if (kTabs[i] == tab) return i;
  return 0;
}

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

char const* const kFieldNames[kWindowFieldCount] = {
    "CenterX", "CenterY", "Size", "Angle", "Norm", "Floor", "Ceiling", "FirstPostfilterParam",
    "SecondPostfilterParam", "GradationScale", "GradationOffset"};

void fillMenu(QComboBox* menu, std::vector<std::string> const& items) {
  for (std::string const& item : items) menu->addItem(text(item));
}

void showIndex(QComboBox* menu, int index) {
  QSignalBlocker block(menu);
  menu->setCurrentIndex(index);
}

}  // namespace

MainWindowView::MainWindowView(Application& app) : m_app(app) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(text("MainWindowTitle"));
  setAcceptDrops(true);
  buildMenus();
  buildToolbar();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildGeneratorRow());
  m_tabs = new QTabWidget(central);
  auto* generatorScroll = new QScrollArea(m_tabs);
  generatorScroll->setWidgetResizable(true);
  generatorScroll->setFrameShape(QFrame::NoFrame);
  m_generatorPane = new PaneWidget(app, ControlPlace::GeneratorPane, this, generatorScroll);
  generatorScroll->setWidget(m_generatorPane);
  m_tabs->addTab(generatorScroll, text("tab_Generator"));
  m_tabs->addTab(buildGeometryTab(), text("tab_Geometry"));
  m_tabs->addTab(buildViewTab(), text("tab_View"));
  m_tabs->addTab(buildColouringTab(), text("tab_Colouring"));
  layout->addWidget(m_tabs, 1);

  auto* bottom = new QHBoxLayout;
  m_strip = new GradationStrip(central);
  m_strip->setToolTip(text("lbl_Gradation"));
  bottom->addWidget(m_strip, 1);
  auto* draw = new QPushButton(text("cmd_Draw"), central);
  draw->setObjectName(QStringLiteral("drawButton"));
  draw->setToolTip(text("tip_Draw"));
  QAction* drawAction = m_app.action(commandId("Draw"));
  connect(draw, &QPushButton::clicked, drawAction, &QAction::trigger);
  connect(drawAction, &QAction::enabledChanged, draw, &QPushButton::setEnabled);
  draw->setEnabled(drawAction->isEnabled());
  bottom->addWidget(draw);
  layout->addLayout(bottom);
  setCentralWidget(central);

  connect(&m_app, &Application::refreshed, this, &MainWindowView::refreshFromModel);
  refreshFromModel();
  resize(540, 680);
  move(40, 40);
}

MainWindowView::~MainWindowView() = default;

MainWindow& MainWindowView::model() const { return m_app.drawing().getMainWindow(); }

void MainWindowView::buildMenus() {
  for (std::string_view menuKey : CommandTable::menuKeys()) {
    QMenu* menu = menuBar()->addMenu(text(menuKey));
    menu->setObjectName(qs(menuKey));
    if (menuKey == CommandTable::kSizeMenuKey) m_sizeMenu = menu;
    for (CommandInfo const& row : CommandTable::rows()) {
      if (row.menuKey != menuKey) continue;
      if (row.separatorBefore) menu->addSeparator();
      menu->addAction(m_app.action(row.id));
    }
  }
}

void MainWindowView::buildToolbar() {
  QToolBar* bar = addToolBar(text("ToolbarTitle"));
  bar->setObjectName(qs(CommandTable::kToolbarIdentifier));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setIconSize(QSize(32, 32));
  bar->setMovable(false);
  for (ToolbarItem const& item : CommandTable::toolbarItems()) {
    // An item of its own (the toolbar's label and help) that sends the command's action.
    auto* button = new QAction(resourceIcon(item.iconName), text(item.labelKey), bar);
    button->setObjectName(qs(item.identifier));
    button->setToolTip(text(item.helpKey));
    QAction* command = m_app.action(item.command);
    connect(button, &QAction::triggered, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, button, &QAction::setEnabled);
    button->setEnabled(command->isEnabled());
    bar->addAction(button);
  }
}

QWidget* MainWindowView::buildGeneratorRow() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel(text("lbl_Generator"), box));
  m_generatorMenu = new QComboBox(box);
  m_generatorMenu->setObjectName(QStringLiteral("generatorMenu"));
  fillMenu(m_generatorMenu, model().generatorMenu().items());
  connect(m_generatorMenu, &QComboBox::activated, this,
          [this](int index) { m_app.perform([&] { model().paramPaneMenuSelection(index); }); });
  row->addWidget(m_generatorMenu, 1);
  // The little arrows: up is the next generator, down the one before.
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  m_generatorUp = new QToolButton(box);
  m_generatorUp->setArrowType(Qt::UpArrow);
  m_generatorUp->setObjectName(QStringLiteral("generatorUp"));
  m_generatorUp->setFixedSize(22, 13);
  m_generatorDown = new QToolButton(box);
  m_generatorDown->setArrowType(Qt::DownArrow);
  m_generatorDown->setObjectName(QStringLiteral("generatorDown"));
  m_generatorDown->setFixedSize(22, 13);
  connect(m_generatorUp, &QToolButton::clicked, this,
          [this] { m_app.perform([&] { model().generatorArrowClicked(ArrowPart::Up); }); });
  connect(m_generatorDown, &QToolButton::clicked, this,
          [this] { m_app.perform([&] { model().generatorArrowClicked(ArrowPart::Down); }); });
  arrows->addWidget(m_generatorUp);
  arrows->addWidget(m_generatorDown);
  row->addLayout(arrows);
  auto* choose = new QPushButton(text("lbl_ChooseGenerator"), box);
  connect(choose, &QPushButton::clicked, m_app.action(commandId("SelG")), &QAction::trigger);
  row->addWidget(choose);
  return box;
}

QLineEdit* MainWindowView::makeField(WindowField field) {
  auto* edit = new QLineEdit(this);
  std::size_t const index = static_cast<std::size_t>(field);
  edit->setObjectName(QString::fromLatin1(kFieldNames[index]));
  edit->setProperty("fieldPlace", static_cast<int>(ControlPlace::Window));
  edit->setProperty("fieldIndex", static_cast<qulonglong>(index));
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this, field](QString const& typed) {
    m_app.perform([&] { model().typeIntoField(field, typed.toStdString()); });
  });
  m_fields[index] = edit;
  return edit;
}

QWidget* MainWindowView::buildViewTab() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  form->addRow(text("lbl_CenterX"), makeField(WindowField::CenterX));
  form->addRow(text("lbl_CenterY"), makeField(WindowField::CenterY));
  form->addRow(text("lbl_Size"), makeField(WindowField::Size));
  form->addRow(text("lbl_Angle"), makeField(WindowField::Angle));
  // The boxes already show the new state when they send their command.
  m_flipH = new QCheckBox(text("lbl_FlipH"), page);
  m_flipV = new QCheckBox(text("lbl_FlipV"), page);
  m_flipH->setObjectName(QStringLiteral("flipH"));
  m_flipV->setObjectName(QStringLiteral("flipV"));
  connect(m_flipH, &QCheckBox::clicked, this, [this](bool on) {
    m_app.action(commandId("flpH"))->setChecked(on);
    if (!m_app.dispatch(commandId("flpH"))) m_app.refresh();
  });
  connect(m_flipV, &QCheckBox::clicked, this, [this](bool on) {
    m_app.action(commandId("flpV"))->setChecked(on);
    if (!m_app.dispatch(commandId("flpV"))) m_app.refresh();
  });
  form->addRow(QString(), m_flipH);
  form->addRow(QString(), m_flipV);
  return page;
}

QWidget* MainWindowView::buildColouringTab() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  auto* normRow = new QHBoxLayout;
  normRow->addWidget(makeField(WindowField::Norm), 1);
  auto* adjust = new QPushButton(text("cmd_AdjustNorm"), page);
  connect(adjust, &QPushButton::clicked, m_app.action(commandId("Adnm")), &QAction::trigger);
  normRow->addWidget(adjust);
  form->addRow(text("lbl_Norm"), normRow);
  m_autoNorm = new QCheckBox(text("lbl_AutoNorm"), page);
  m_autoNorm->setObjectName(QStringLiteral("autoNorm"));
  connect(m_autoNorm, &QCheckBox::toggled, this, [this](bool on) { model().setAutoAdjustNorm(on); });
  form->addRow(QString(), m_autoNorm);
  form->addRow(text("lbl_Floor"), makeField(WindowField::Floor));
  form->addRow(text("lbl_Ceiling"), makeField(WindowField::Ceiling));
  m_normalizer = new QComboBox(page);
  m_normalizer->setObjectName(QStringLiteral("normalizer"));
  fillMenu(m_normalizer, model().normalizerMenu().items());
  connect(m_normalizer, &QComboBox::activated, this,
          [this](int index) { m_app.perform([&] { model().normalizingMenuSelection(index); }); });
  form->addRow(text("lbl_Normalizer"), m_normalizer);
  WindowField const params[2] = {WindowField::FirstPostfilterParam, WindowField::SecondPostfilterParam};
  char const* const labels[2] = {"lbl_Postfilter1", "lbl_Postfilter2"};
  for (int which = 0; which < 2; ++which) {
    auto* row = new QHBoxLayout;
    QComboBox* menu = new QComboBox(page);
    menu->setObjectName(QStringLiteral("postfilter%1").arg(which + 1));
    fillMenu(menu, model().postfilterControl(which).menu().items());
    connect(menu, &QComboBox::activated, this,
            [this, which](int index) { m_app.perform([&] { model().postfilterMenuSelection(which, index); }); });
    m_postfilters[static_cast<std::size_t>(which)] = menu;
    row->addWidget(menu, 2);
    row->addWidget(new QLabel(text("lbl_FilterParam"), page));
    row->addWidget(makeField(params[which]), 1);
    form->addRow(text(labels[which]), row);
  }
  form->addRow(text("lbl_GradationScale"), makeField(WindowField::GradationScale));
  form->addRow(text("lbl_GradationOffset"), makeField(WindowField::GradationOffset));
  return page;
}

QWidget* MainWindowView::buildGeometryTab() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(text("lbl_GeometryKind"), page));
  m_geometryMenu = new QComboBox(page);
  m_geometryMenu->setObjectName(QStringLiteral("geometryMenu"));
  fillMenu(m_geometryMenu, model().geometryMenu().items());
  connect(m_geometryMenu, &QComboBox::activated, this,
          [this](int index) { m_app.perform([&] { model().geometryMenuSelection(index); }); });
  row->addWidget(m_geometryMenu, 1);
  layout->addLayout(row);
  m_inverseWarning = new QLabel(text("GeometryInverseWarning"), page);
  m_ignoredWarning = new QLabel(text("GeometryIgnoredWarning"), page);
  for (QLabel* warning : {m_inverseWarning, m_ignoredWarning}) {
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #b05000;"));
    layout->addWidget(warning);
  }
  m_geometryPane = new PaneWidget(m_app, ControlPlace::GeometryPane, this, page);
  layout->addWidget(m_geometryPane, 1);
  return page;
}

QWidget* MainWindowView::widgetFor(FieldRef field) const {
  switch (field.place) {
    case ControlPlace::Window:
      return field.index < m_fields.size() ? m_fields[field.index] : nullptr;
    case ControlPlace::GeneratorPane:
      return m_generatorPane->fieldWidget(field.index);
    case ControlPlace::GeometryPane:
      return m_geometryPane->fieldWidget(field.index);
  }
  return nullptr;
}

void MainWindowView::focusModelField() {
  std::optional<FieldRef> const focus = model().focus();
  if (!focus) return;
  QWidget* widget = widgetFor(*focus);
  if (!widget) return;
  m_tabs->setCurrentIndex(tabIndex(MainWindow::tabOf(*focus)));
  widget->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
  QVariant const place = watched->property("fieldPlace");
  if (!place.isValid()) return false;
  FieldRef const ref{static_cast<ControlPlace>(place.toInt()),
                     static_cast<std::size_t>(watched->property("fieldIndex").toULongLong())};
  if (event->type() == QEvent::FocusIn) {
    model().setFocus(ref);
    return false;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    // A text field would take Ctrl+Z and other keys of the menus for itself
    // (its own undo never reaches the model): the command gets them.
    auto* key = static_cast<QKeyEvent*>(event);
    QKeySequence const pressed(key->keyCombination());
    for (CommandInfo const& row : CommandTable::rows()) {
      QAction* action = m_app.action(row.id);
      if (action && !action->shortcut().isEmpty() && action->shortcut() == pressed) {
        event->ignore();
        return true;
      }
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
    bool const back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
    m_app.perform([&] {
      model().setFocus(ref);
      model().pressTab(back);
    });
    focusModelField();
    return true;
  }
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    m_app.perform([&] {
      model().setFocus(ref);
      model().pressReturn();
    });
    return true;
  }
  return false;
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
  // Return draws from anywhere in the window, not only from a text field.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
    m_app.perform([&] { model().pressReturn(); });
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindowView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindowView::dropEvent(QDropEvent* event) {
  for (QUrl const& url : event->mimeData()->urls())
    if (url.isLocalFile()) m_app.openFile(url.toLocalFile().toStdString());
  event->acceptProposedAction();
}

void MainWindowView::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the studio, as the picture window alone cannot edit anything;
  // the window stays while the studio asks about unsaved keyframes, so Cancel leaves it as it was.
  if (m_app.isQuitting()) {
    event->accept();
    return;
  }
  event->ignore();
  QMetaObject::invokeMethod(&m_app, [this] { m_app.dispatch(commandId("quit")); }, Qt::QueuedConnection);
}

void MainWindowView::refreshSizeMenu() {
  ImageMenuController const& sizes = m_app.drawing().getImageMenu();
  std::vector<WidthAndHeight> const& used = sizes.usedSizes();
  if (used.size() == m_usedSizesShown) return;
  // Items after the presets: the separator and the used sizes, in their sorted order.
  QList<QAction*> const actions = m_sizeMenu->actions();
  std::size_t const presets = ImageMenuController::presets().size();
  for (qsizetype i = static_cast<qsizetype>(presets); i < actions.size(); ++i) {
    m_sizeMenu->removeAction(actions[i]);
    if (actions[i]->parent() == m_sizeMenu) delete actions[i];
  }
  if (!used.empty()) m_sizeMenu->addSeparator();
  for (WidthAndHeight const size : used) {
    QAction* item = m_sizeMenu->addAction(QStringLiteral("%1 x %2").arg(size.width).arg(size.height));
    connect(item, &QAction::triggered, this,
            [this, size] { m_app.perform([&] { m_app.drawing().setDrawingSizeAndRecompute(size); }); });
  }
  m_usedSizesShown = used.size();
}

void MainWindowView::refreshFromModel() {
  MainWindow& window = model();
  for (int i = 0; i < kWindowFieldCount; ++i) {
    auto const field = static_cast<WindowField>(i);
    QLineEdit* edit = m_fields[static_cast<std::size_t>(i)];
    QString const shown = toQString(window.fieldText(field));
    if (edit->text() != shown) edit->setText(shown);
    edit->setEnabled(window.fieldEnabled(field));
  }
  {
    QSignalBlocker blockH(m_flipH);
    QSignalBlocker blockV(m_flipV);
    QSignalBlocker blockAuto(m_autoNorm);
    m_flipH->setChecked(window.flipH());
    m_flipV->setChecked(window.flipV());
    m_autoNorm->setChecked(window.shouldAutoAdjustNorm());
  }
  showIndex(m_normalizer, window.normalizerMenu().index());
  for (int which = 0; which < 2; ++which)
    showIndex(m_postfilters[static_cast<std::size_t>(which)], window.postfilterControl(which).menu().index());
  showIndex(m_generatorMenu, window.generatorMenu().index());
  showIndex(m_geometryMenu, window.geometryMenu().index());
  m_geometryMenu->setEnabled(window.geometryMenu().enabled());
  GeometryWarning const& warning = window.geometryWarning();
  m_inverseWarning->setVisible(warning.inverseWarningShown);
  m_ignoredWarning->setVisible(warning.ignoredWarningShown);
  m_generatorPane->refreshFromModel();
  m_geometryPane->refreshFromModel();
  m_strip->setGradation(window.getCurrentGradation());
  refreshSizeMenu();
  if (std::optional<ControlTab> const tab = window.takeTabToShow()) m_tabs->setCurrentIndex(tabIndex(*tab));
}

}  // namespace orlenza::app

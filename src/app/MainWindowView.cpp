#include "app/MainWindowView.h"

#include <QAction>
#include <QMenuBar>
#include <QToolBar>

#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/Icons.h"
#include "app/QtText.h"

namespace orlenza::app {

MainWindowView::MainWindowView(Application& app) : m_app(app) {
  setWindowTitle(text("MainWindowTitle"));
  buildMenus();
  buildToolbar();
  setCentralWidget(new QWidget(this));
  connect(&m_app, &Application::refreshed, this, &MainWindowView::refreshFromModel);
}

MainWindowView::~MainWindowView() = default;

void MainWindowView::buildMenus() {
  for (std::string_view menuKey : CommandTable::menuKeys()) {
    QMenu* menu = menuBar()->addMenu(text(menuKey));
    menu->setObjectName(QString::fromUtf8(menuKey.data(), static_cast<qsizetype>(menuKey.size())));
    for (CommandInfo const& row : CommandTable::rows()) {
      if (row.menuKey != menuKey) continue;
      if (row.separatorBefore) menu->addSeparator();
      menu->addAction(m_app.action(row.id));
    }
  }
}

void MainWindowView::buildToolbar() {
  QToolBar* bar = addToolBar(text("ToolbarTitle"));
  bar->setObjectName(QString::fromUtf8(CommandTable::kToolbarIdentifier.data(),
                                       static_cast<qsizetype>(CommandTable::kToolbarIdentifier.size())));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (ToolbarItem const& item : CommandTable::toolbarItems()) {
    // A button of its own with the toolbar's label and help, sending the command's action.
    auto* button = new QAction(text(item.labelKey), bar);
    button->setObjectName(QString::fromUtf8(item.identifier.data(), static_cast<qsizetype>(item.identifier.size())));
    button->setIcon(resourceIcon(item.iconName));
    button->setToolTip(text(item.helpKey));
    QAction* command = m_app.action(item.command);
    connect(button, &QAction::triggered, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, button, &QAction::setEnabled);
    button->setEnabled(command->isEnabled());
    bar->addAction(button);
  }
}

void MainWindowView::setTooltipsShown(bool shown) { m_tooltips = shown; }

void MainWindowView::refreshFromModel() {}

}  // namespace orlenza::app

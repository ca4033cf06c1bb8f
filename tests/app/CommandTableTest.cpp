// The command table: every command reachable from a menu of the main window,
// enabled exactly by its rule, with texts in the string table, and only the
// commands of the table handled.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <set>

#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/MainWindowView.h"
#include "app/QtAlerts.h"
#include "core/base/StringTable.h"
#include "core/control/DrawingController.h"

using namespace orlenza;
using namespace orlenza::app;

class CommandTableTest : public QObject {
  Q_OBJECT
 private slots:
  void everyCommandIsInAMenuAndEnabledByItsRule() {
    Application app;
    app.alerts().setHeadless(true);
    std::set<QAction*> inMenus;
    for (QMenu* menu : app.mainWindow().menuBar()->findChildren<QMenu*>())
      for (QAction* action : menu->actions()) inMenus.insert(action);

    std::set<CommandId> ids;
    auto checkAll = [&] {
      for (CommandInfo const& row : CommandTable::rows()) {
        QAction* action = app.action(row.id);
        QVERIFY2(action && inMenus.count(action), commandName(row.id).c_str());
        QVERIFY2(action->isEnabled() == app.isEnabled(row.id), commandName(row.id).c_str());
      }
    };
    for (CommandInfo const& row : CommandTable::rows()) {
      QVERIFY2(ids.insert(row.id).second, commandName(row.id).c_str());
      for (std::string_view key : {row.textKey, row.menuKey})
        QVERIFY2(hasLocalizedString(key), std::string(key).c_str());
      // Every command that is enabled has its handler.
      if (app.isEnabled(row.id)) QVERIFY2(app.dispatcher().handles(row.id), commandName(row.id).c_str());
    }
    checkAll();
    // The rules follow the models: nothing to undo, go back or draw at start;
    // an edit lights Draw and Undo, a zoom lights Back.
    for (char const* off : {"undX", "redX", "SnaB", "SnaF", "Draw", "ClsC", "ClsG", "SnaD", "AppC", "Colr", "aplG",
                            "Dkey", "Morf", "ScZ-"})
      QVERIFY2(!app.action(commandId(off))->isEnabled(), off);
    app.perform([&] { app.drawing().getMainWindow().typeIntoField(WindowField::Norm, "7"); });
    QVERIFY(app.action(commandId("Draw"))->isEnabled());
    QVERIFY(app.action(commandId("undX"))->isEnabled());
    app.action(commandId("siz1"))->trigger();
    app.action(commandId("Zom+"))->trigger();
    QVERIFY(app.action(commandId("SnaB"))->isEnabled());
    checkAll();

    // Toolbar: its items in order, with their labels and help, following their command.
    QToolBar* bar = app.mainWindow().findChild<QToolBar*>(QStringLiteral("com.orlenza.maintoolbar"));
    QVERIFY(bar);
    QList<QAction*> const items = bar->actions();
    QCOMPARE(items.size(), static_cast<qsizetype>(CommandTable::toolbarItems().size()));
    for (std::size_t i = 0; i < CommandTable::toolbarItems().size(); ++i) {
      ToolbarItem const& item = CommandTable::toolbarItems()[i];
      QAction* button = items[static_cast<qsizetype>(i)];
      QCOMPARE(button->objectName().toStdString(), std::string(item.identifier));
      QVERIFY(hasLocalizedString(item.labelKey) && hasLocalizedString(item.helpKey));
      QCOMPARE(button->isEnabled(), app.action(item.command)->isEnabled());
    }

    // Only the table's commands are handled; disabled ones do nothing.
    QVERIFY(!app.dispatch(commandId("UPDT")));
    QVERIFY(!app.dispatch(commandId("Dkey")));
    QVERIFY(app.dispatch(commandId("Zom-")));
  }
};

int main(int argc, char* argv[]) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QApplication qt(argc, argv);
  CommandTableTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "CommandTableTest.moc"

// The command table: every command reachable from a menu and enabled exactly by its rule.

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/MainWindowView.h"

using namespace orlenza::app;

class CommandTableTest : public QObject {
  Q_OBJECT
 private slots:
  void everyCommandIsInAMenu() {
    Application app;
    for (CommandInfo const& row : CommandTable::rows()) {
      QAction* action = app.action(row.id);
      QVERIFY2(action, commandName(row.id).c_str());
      QVERIFY2(!action->associatedObjects().isEmpty(), commandName(row.id).c_str());
      QCOMPARE(action->isEnabled(), app.isEnabled(row.id));
    }
  }
};

QTEST_MAIN(CommandTableTest)
#include "CommandTableTest.moc"

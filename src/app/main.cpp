// orlenza: the studio. Files named on the command line (.snaps, .grads,
// .msnaps) are opened once the windows are up.

#include <QApplication>
#include <QIcon>

#include <exception>
#include <iostream>

#include "app/Application.h"
#include "app/Icons.h"

int main(int argc, char* argv[]) {
  QApplication qt(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Orlenza"));
  QApplication::setApplicationName(QStringLiteral("orlenza"));
  // Lets Wayland compositors match the windows to the desktop entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("orlenza"));
  QApplication::setApplicationVersion(QStringLiteral(ORLENZA_VERSION));
  QApplication::setWindowIcon(orlenza::app::resourceIcon("orlenza"));
  try {
    orlenza::app::Application app;
    app.showWindows();
    QStringList const args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) app.openFile(args[i].toStdString());
    return QApplication::exec();
  } catch (std::exception const& error) {
    std::cerr << error.what() << '\n';
  } catch (...) {
    std::cerr << "Unidentified error\n";
  }
  return 1;
}

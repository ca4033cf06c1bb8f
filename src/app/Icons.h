#pragma once
// The studio's icons from the resources; an icon that is not there yet shows no image.

#include <QFile>
#include <QIcon>
#include <QString>

#include <string_view>

namespace orlenza::app {

inline QIcon resourceIcon(std::string_view name) {
  QString const path = QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  return QFile::exists(path) ? QIcon(path) : QIcon();
}

}  // namespace orlenza::app

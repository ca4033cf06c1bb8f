#pragma once
// The string table's texts as Qt strings.

#include <QString>

#include <string_view>

#include "core/base/StringTable.h"

namespace orlenza::app {

inline QString text(std::string_view key) { return QString::fromStdString(localized(key)); }

inline QString toQString(std::string const& s) { return QString::fromStdString(s); }

}  // namespace orlenza::app

#include "core/files/AlertSink.h"

#include <ostream>

#include "core/base/StringTable.h"

namespace orlenza {

void RecordingAlertSink::showAlert(std::string const& mainKey, std::string const& explainKey) {
  m_alerts.push_back({mainKey, explainKey});
}

void StreamAlertSink::showAlert(std::string const& mainKey, std::string const& explainKey) {
  m_os << "warning: " << localized(mainKey) << ' ' << localized(explainKey) << '\n' << std::flush;
}

}  // namespace orlenza

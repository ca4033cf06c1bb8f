#pragma once
// How the core tells the user that something went wrong while it carries on: a
// main message and an explanation, both given as string-table keys. The studio
// shows a message box, the renderer prints a warning, tests record the keys.

#include <iosfwd>
#include <string>
#include <vector>

namespace orlenza {

class AlertSink {
 public:
  virtual ~AlertSink() = default;
  virtual void showAlert(std::string const& mainKey, std::string const& explainKey) = 0;
};

// Keeps every alert, in order, for tests and for callers that decide later.
class RecordingAlertSink : public AlertSink {
 public:
  struct Alert {
    std::string mainKey;
    std::string explainKey;
    friend bool operator==(Alert const&, Alert const&) = default;
  };

  void showAlert(std::string const& mainKey, std::string const& explainKey) override;

  std::vector<Alert> const& alerts() const { return m_alerts; }
  bool empty() const { return m_alerts.empty(); }
  void clear() { m_alerts.clear(); }

 private:
  std::vector<Alert> m_alerts;
};

// Prints "warning: <main text> <explanation text>" and a line feed, with the
// texts from the string table.
class StreamAlertSink : public AlertSink {
 public:
  explicit StreamAlertSink(std::ostream& os) : m_os(os) {}
  void showAlert(std::string const& mainKey, std::string const& explainKey) override;

 private:
  std::ostream& m_os;
};

}  // namespace orlenza

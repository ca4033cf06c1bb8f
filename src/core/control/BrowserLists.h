#pragma once
// The two lists of a chooser window: built-in entries and those of the open
// file. At most one of them has a selection.

#include <optional>

namespace orlenza {

enum class BrowserList { builtIn, file };

// What the window's buttons show.
struct BrowserButtons {
  bool apply = false;
  bool remove = false;
  bool needsFile = false;  // enabled exactly when a file is open

  friend bool operator==(BrowserButtons const&, BrowserButtons const&) = default;
};

class BrowserSelection {
 public:
  // Selecting in one list clears the other.
  void select(BrowserList list, int index) {
    m_builtIn = list == BrowserList::builtIn ? std::optional<int>(index) : std::nullopt;
    m_file = list == BrowserList::file ? std::optional<int>(index) : std::nullopt;
  }
  void clear(BrowserList list) { (list == BrowserList::builtIn ? m_builtIn : m_file).reset(); }
  void clearAll() {
    m_builtIn.reset();
    m_file.reset();
  }
  std::optional<int> get(BrowserList list) const { return list == BrowserList::builtIn ? m_builtIn : m_file; }

  BrowserButtons buttons(bool fileOpen) const {
    return {m_builtIn.has_value() || m_file.has_value(), m_file.has_value(), fileOpen};
  }

 private:
  std::optional<int> m_builtIn;
  std::optional<int> m_file;
};

}  // namespace orlenza

#pragma once
// User-visible texts, looked up by key. There is one English table; a key the
// table lacks shows as itself, so a missing text is visible rather than fatal.

#include <string>
#include <string_view>

namespace orlenza {

// The text for key, or key itself when the table has no entry.
std::string localized(std::string_view key);

// True when the table has an entry for key (tests use it to find missing texts).
bool hasLocalizedString(std::string_view key);

}  // namespace orlenza

#pragma once
// The English texts, keyed as the rest of the code names them. Add the keys a
// feature uses next to the others of its kind.

#include <string_view>
#include <utility>

namespace orlenza {

inline constexpr std::pair<std::string_view, std::string_view> kStringTableEntries[] = {
    // Categories of the generator catalogue.
    {"categ_escape", "Escape time"},
    {"categ_phaseplane", "Phase plane"},
};

}  // namespace orlenza

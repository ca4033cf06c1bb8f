#pragma once
// The library of ready-made colour maps offered by the gradation chooser:
// eight categories, built once on first use from the program-defined
// gradations and the embedded gradation files.

#include <string>
#include <string_view>
#include <vector>

#include "core/model/Gradation.h"

namespace orlenza {

class StandardGradations {
 public:
  static constexpr unsigned k_numCategories = 8;

  // Every accessor takes a category at or beyond k_numCategories as category 0,
  // so a stale chooser index still shows a list and never reads out of range.
  static int getNumGradations(unsigned category);
  // The index-th gradation (from 0) of the category, or null when index is at
  // or beyond getNumGradations(category). The library owns it for the whole
  // run and never changes it; a gradation may stand in several categories.
  static Gradation const* getGradation(unsigned category, unsigned index);
  // The string-table key of the category ("categ_classic" ...).
  static std::string_view getCategoryKey(unsigned category);
  // The localized category names in category order: the items of the
  // chooser's category pop-up. Does not build the library.
  static std::vector<std::string> getCategoryNames();

  // The gradations of the embedded file grads/<name>.grads, in file order;
  // none when there is no such file. Alerts about an invalid file go to the
  // standard error stream, and the records before the fault are kept.
  static std::vector<Gradation> readStandardGradsFile(std::string_view name);
};

}  // namespace orlenza

#include "core/panes/GeneratorCatalogue.h"

#include <algorithm>
#include <iterator>

#include "core/base/StringTable.h"

namespace orlenza::GeneratorCatalogue {

namespace {

struct Category {
  int id;
  char const* key;
  std::vector<std::pair<char const*, char const*>> generators;  // identifier, example key
};

std::vector<Category> const& categories() {
  static std::vector<Category> const table = {
      {100,
       "categ_fractals",
       {{"EscParams", "BasinEx"},
        {"Halley", "HalleyEx"},
        {"Biomorph", "FeedbackEx"},
        {"DynFractal", "DynFractalEx"},
        {"GumFractal", "GumFractalEx"}}},
      {200,
       "categ_textures",
       {{"Mandal", "MandalaEx"}, {"ItSines", "ItSinesEx"}, {"Quot", "QuotEx"}, {"Perlin", "PerlinEx"}}},
      {300,
       "categ_dynsys",
       {{"DynSys-Sqrt", "DSSqrtEx"},
        {"DynSys-SinCos", "DSSinCosEx"},
        {"DynSys-SinSin", "DSSinSinEx"},
        {"DynSys-Sin23", "DSSin23Ex"},
        {"DynSys-SinXY", "DSSinXYEx"},
        {"DynSys-Hopalong", "DSHopEx"},
        {"DynSys-Gumowski", "DSGumEx"}}},
      {400,
       "categ_phaseplane",
       {{"PhasePlane-xsin", "PPSinEx"}, {"PhasePlane-sinprod", "PPSinProdEx"}, {"PhasePlane-tan", "PPTanEx"}}},
      {500, "categ_lines", {{"Grid", "GridEx"}, {"Curves", "CurvesEx"}}},
  };
  return table;
}

}  // namespace

std::map<int, ListInfo> const& getItemInfo() {
  static std::map<int, ListInfo> const items = [] {
    std::map<int, ListInfo> map;
    for (auto const& category : categories()) {
      map[category.id] = ListInfo{static_cast<int>(category.generators.size()), category.key, {}};
      int rank = 1;
      for (auto const& [identifier, example] : category.generators)
        map[category.id + rank++] = ListInfo{0, identifier, example};
    }
    return map;
  }();
  return items;
}

std::vector<std::string> const& getNames() {
  static std::vector<std::string> const names = [] {
    std::vector<std::string> list;
    for (auto const& [id, info] : getItemInfo())
      if (id % 100 != 0) list.push_back(info.name);
    return list;
  }();
  return names;
}

int getNumberOfGenerators() { return static_cast<int>(getNames().size()); }

std::string getNthName(int n) {
  if (n < 0 || n >= getNumberOfGenerators()) return {};
  return getNames()[static_cast<std::size_t>(n)];
}

int getIndexOfName(std::string const& name) {
  auto const& names = getNames();
  auto const found = std::find(names.begin(), names.end(), name);
  return found == names.end() ? 0 : static_cast<int>(std::distance(names.begin(), found));
}

std::string getCategoryKey(std::string const& identifier) {
  for (auto const& category : categories())
    for (auto const& generator : category.generators)
      if (identifier == generator.first) return category.key;
  return {};
}

std::string copyCategoryString(std::string const& identifier) {
  return localized(getCategoryKey(identifier));
}

int wrapGeneratorIndex(int value) {
  if (value < 0) return getNumberOfGenerators() - 1;
  if (value >= getNumberOfGenerators()) return 0;
  return value;
}

std::string stepGenerator(std::string const& identifier, int delta) {
  long const target = static_cast<long>(getIndexOfName(identifier)) + delta;
  int const value = target < 0 ? -1 : target >= getNumberOfGenerators() ? getNumberOfGenerators()
                                                                         : static_cast<int>(target);
  return getNthName(wrapGeneratorIndex(value));
}

}  // namespace orlenza::GeneratorCatalogue

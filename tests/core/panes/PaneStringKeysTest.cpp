#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "core/base/StringTable.h"
#include "core/base/StringTableEntries.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/PaneRegistration.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

TEST(PaneStringKeys, EveryKeyTheCatalogueAndThePanesShowHasAText) {
  for (auto const& [id, info] : GeneratorCatalogue::getItemInfo()) {
    EXPECT_TRUE(hasLocalizedString(info.name)) << id << " " << info.name;
    if (!info.exampleKey.empty()) {
      EXPECT_TRUE(hasLocalizedString(info.exampleKey)) << id << " " << info.exampleKey;
    }
  }
  for (auto const& name : GeneratorCatalogue::getNames())
    EXPECT_TRUE(hasLocalizedString(GeneratorCatalogue::getCategoryKey(name))) << name;

  registerAllPanes();
  auto const identifiers = ParameterPaneFactory::getIdentifiers();
  for (auto const& identifier : identifiers) {
    if (identifier.rfind("test_", 0) == 0) continue;  // panes registered by other tests
    auto pane = ParameterPaneFactory::makeNewPane(identifier);
    for (auto const& field : pane->fields()) {
      EXPECT_TRUE(hasLocalizedString(field.labelKey)) << identifier << " " << field.labelKey;
      for (auto const& choice : field.choices) EXPECT_TRUE(hasLocalizedString(choice)) << identifier << " " << choice;
    }
  }
}

TEST(PaneStringKeys, TheTableHoldsEachKeyOnce) {
  std::set<std::string_view> seen;
  for (auto const& entry : kStringTableEntries) EXPECT_TRUE(seen.insert(entry.first).second) << entry.first;
}

}  // namespace
}  // namespace orlenza

#include <iostream>

#include "cli/Commands.h"
#include "core/base/StringTable.h"
#include "core/library/StandardGradations.h"
#include "core/library/StandardSnapshots.h"
#include "core/model/Snapshot.h"
#include "core/panes/GeneratorCatalogue.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza::cli {

int listGenerators() {
  for (auto const& name : GeneratorCatalogue::getNames()) {
    std::cout << GeneratorCatalogue::getCategoryKey(name) << '\t' << name << '\t' << localized(name);
    if (!ParameterPaneFactory::isRegistered(name)) std::cout << "\t(not built yet)";
    std::cout << '\n';
  }
  return kExitOk;
}

int listBuiltins() {
  auto const& library = StandardSnapshots::getSnapshots();
  for (auto const& category : StandardSnapshots::getCategoryKeys()) {
    auto const found = library.find(category);
    if (found == library.end()) continue;
    auto const& snapshots = found->second;
    for (std::size_t i = 0; i < snapshots.size(); ++i)
      std::cout << category << '\t' << i << '\t' << snapshots[i]->getIdentifier() << '\t' << snapshots[i]->getName()
                << '\n';
  }
  return kExitOk;
}

int listGradations() {
  for (unsigned category = 0; category < StandardGradations::k_numCategories; ++category) {
    int const count = StandardGradations::getNumGradations(category);
    for (int i = 0; i < count; ++i)
      std::cout << StandardGradations::getCategoryKey(category) << '\t' << i << '\t'
                << StandardGradations::getGradation(category, static_cast<unsigned>(i))->size() << " keys\n";
  }
  return kExitOk;
}

}  // namespace orlenza::cli

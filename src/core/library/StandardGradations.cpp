#include "core/library/StandardGradations.h"

#include <array>
#include <initializer_list>
#include <iostream>
#include <memory>

#include "core/base/StringTable.h"
#include "core/files/AlertSink.h"
#include "core/files/GradationFile.h"
#include "core/library/EmbeddedResources.h"
#include "core/library/ProgramGradations.h"

namespace orlenza {

namespace {

constexpr std::array<std::string_view, StandardGradations::k_numCategories> k_categoryKeys = {
    "categ_classic", "categ_grays",     "categ_greens", "categ_reds",
    "categ_rainbow", "categ_symmetric", "categ_triples", "categ_washes",
};

struct Library {
  std::vector<std::unique_ptr<Gradation const>> owned;
  std::array<std::vector<Gradation const*>, StandardGradations::k_numCategories> categories;
};

Library build() {
  Library library;
  std::vector<Gradation const*> program;
  for (auto& g : makeProgramGradations()) {
    library.owned.push_back(std::make_unique<Gradation const>(std::move(g)));
    program.push_back(library.owned.back().get());
  }
  auto programList = [&](std::initializer_list<int> numbers) {
    std::vector<Gradation const*> list;
    for (int n : numbers) list.push_back(program[n]);
    return list;
  };
  auto appendFile = [&](std::vector<Gradation const*>& list, std::string_view name) {
    for (auto& g : StandardGradations::readStandardGradsFile(name)) {
      library.owned.push_back(std::make_unique<Gradation const>(std::move(g)));
      list.push_back(library.owned.back().get());
    }
  };

  auto& c = library.categories;
  c[0].assign(program.begin(), program.begin() + 29);
  appendFile(c[1], "Grays");
  appendFile(c[2], "Greens");
  c[3] = programList({2, 3, 4, 5, 21, 17});
  c[4] = programList({19, 20, 30, 28, 31});
  c[5] = programList({2, 5, 6, 7, 8, 9, 10, 29, 22, 16});
  c[6] = programList({11, 25});
  appendFile(c[6], "Tricolored");
  appendFile(c[7], "Washes");
  return library;
}

Library const& library() {
  static Library const instance = build();
  return instance;
}

unsigned validCategory(unsigned category) { return category < StandardGradations::k_numCategories ? category : 0; }

}  // namespace

int StandardGradations::getNumGradations(unsigned category) {
  return static_cast<int>(library().categories[validCategory(category)].size());
}

Gradation const* StandardGradations::getGradation(unsigned category, unsigned index) {
  auto const& list = library().categories[validCategory(category)];
  return index < list.size() ? list[index] : nullptr;
}

std::string_view StandardGradations::getCategoryKey(unsigned category) {
  return k_categoryKeys[validCategory(category)];
}

std::vector<std::string> StandardGradations::getCategoryNames() {
  std::vector<std::string> names;
  for (auto key : k_categoryKeys) names.push_back(localized(key));
  return names;
}

std::vector<Gradation> StandardGradations::readStandardGradsFile(std::string_view name) {
  std::vector<Gradation> gradations;
  auto const contents = findEmbeddedResource("grads/" + std::string(name) + ".grads");
  if (!contents) return gradations;
  StreamAlertSink alerts(std::cerr);
  auto const file = GradationFile::fromContents(*contents, alerts);
  for (auto const& record : file.records())
    if (record) gradations.push_back(*record);
  return gradations;
}

}  // namespace orlenza

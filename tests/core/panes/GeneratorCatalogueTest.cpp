#include "core/panes/GeneratorCatalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "core/library/EmbeddedResources.h"

namespace orlenza {
namespace {

using namespace GeneratorCatalogue;

TEST(GeneratorCatalogue, RowsFollowTheCategoryNumbering) {
  auto const& items = getItemInfo();
  ASSERT_EQ(items.size(), 26u);  // 5 categories, 21 generators
  int const categoryIds[] = {100, 200, 300, 400, 500};
  int const childCounts[] = {5, 4, 7, 3, 2};
  for (int c = 0; c < 5; ++c) {
    auto const& category = items.at(categoryIds[c]);
    EXPECT_EQ(category.childCount, childCounts[c]);
    EXPECT_TRUE(category.exampleKey.empty());
    EXPECT_EQ(category.name.rfind("categ_", 0), 0u) << category.name;
    for (int rank = 1; rank <= childCounts[c]; ++rank) {
      auto const& row = items.at(categoryIds[c] + rank);
      EXPECT_EQ(row.childCount, 0);
      // The catalogue shows this picture beside the generator.
      EXPECT_TRUE(findEmbeddedResource("examples/" + std::string(row.exampleKey) + ".png")) << row.exampleKey;
      EXPECT_EQ(getCategoryKey(row.name), category.name);
    }
    EXPECT_EQ(items.count(categoryIds[c] + childCounts[c] + 1), 0u);
  }
  EXPECT_EQ(items.at(201).name, "Mandal");  // six letters, as stored in files
}

TEST(GeneratorCatalogue, NamesInCatalogueOrder) {
  std::vector<std::string> const expected = {
      "EscParams",       "Halley",        "Biomorph",      "DynFractal",      "GumFractal",
      "Mandal",          "ItSines",       "Quot",          "Perlin",          "DynSys-Sqrt",
      "DynSys-SinCos",   "DynSys-SinSin", "DynSys-Sin23",  "DynSys-SinXY",    "DynSys-Hopalong",
      "DynSys-Gumowski", "PhasePlane-xsin", "PhasePlane-sinprod", "PhasePlane-tan", "Grid",
      "Curves"};
  EXPECT_EQ(getNames(), expected);
  ASSERT_EQ(getNumberOfGenerators(), 21);
  for (int i = 0; i < getNumberOfGenerators(); ++i) {
    EXPECT_EQ(getNthName(i), expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(getIndexOfName(expected[static_cast<std::size_t>(i)]), i);
  }
}

TEST(GeneratorCatalogue, UnknownNamesAndIndices) {
  struct Case {
    char const* name;
  } const unknown[] = {{""}, {"Mandala"}, {"escparams"}, {"categ_fractals"}};
  for (auto const& c : unknown) {
    EXPECT_EQ(getIndexOfName(c.name), 0) << c.name;
    EXPECT_EQ(getCategoryKey(c.name), "") << c.name;
  }
  for (int n : {-1, 21, INT_MIN}) EXPECT_EQ(getNthName(n), "") << n;
}

TEST(GeneratorCatalogue, ArrowsWrapAround) {
  struct Case {
    int value;
    int expected;
  } const cases[] = {{-1, 20}, {INT_MIN, 20}, {0, 0}, {20, 20}, {21, 0}, {INT_MAX, 0}};
  for (auto const& c : cases) EXPECT_EQ(wrapGeneratorIndex(c.value), c.expected) << c.value;

  EXPECT_EQ(stepGenerator("Curves", 1), "EscParams");
  EXPECT_EQ(stepGenerator("EscParams", -1), "Curves");
  EXPECT_EQ(stepGenerator("GumFractal", 1), "Mandal");
  EXPECT_EQ(stepGenerator("Halley", INT_MAX), "EscParams");
  EXPECT_EQ(stepGenerator("Halley", INT_MIN), "Curves");
  EXPECT_EQ(stepGenerator("not a generator", 1), "Halley");  // counts as index 0
  // A full round of single steps comes back to where it started.
  std::string name = "Quot";
  for (int i = 0; i < 21; ++i) name = stepGenerator(name, 1);
  EXPECT_EQ(name, "Quot");
}

}  // namespace
}  // namespace orlenza

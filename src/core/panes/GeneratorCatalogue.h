#pragma once
// The generator catalogue: the generators grouped into five categories, in the
// order the generator chooser, the generator pop-up and its arrows present them.

#include <map>
#include <string>
#include <vector>

namespace orlenza {

// One row of the catalogue. Category rows have IDs that are multiples of 100
// and a child count; a generator's ID is its category's ID plus its rank from 1.
struct ListInfo {
  int childCount = 0;      // generators in a category; 0 for a generator
  std::string name;        // category key, or the generator's pane identifier
  std::string exampleKey;  // names the example image and its description; empty for categories
};

namespace GeneratorCatalogue {

// Every row by catalogue ID (sItemInfo), built on first use.
std::map<int, ListInfo> const& getItemInfo();

// The generator identifiers in catalogue-ID order, without the categories.
std::vector<std::string> const& getNames();
int getNumberOfGenerators();
// The identifier at index n, or the empty string when n is out of range.
std::string getNthName(int n);
// Index of name in getNames(); 0 when the name is not a generator.
int getIndexOfName(std::string const& name);

// The category key of a generator ("categ_fractals" ...), empty when unknown.
std::string getCategoryKey(std::string const& identifier);
// The localized text of that category key.
std::string copyCategoryString(std::string const& identifier);

// The pop-up value after its arrows moved it: below 0 wraps to the last index,
// at or past the end wraps to 0.
int wrapGeneratorIndex(int value);
// The generator delta steps away from identifier (an unknown one counts as index 0).
std::string stepGenerator(std::string const& identifier, int delta);

}  // namespace GeneratorCatalogue

}  // namespace orlenza

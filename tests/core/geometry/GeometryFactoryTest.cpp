#include "core/geometry/GeometryFactory.h"

#include "core/CoreRegistration.h"
#include "core/geometry/GeometryInverse.h"

#include <gtest/gtest.h>

#include <exception>
#include <sstream>
#include <string>
#include <vector>

namespace orlenza {
namespace {

TEST(GeometryFactory, RegistersTheSevenInCatalogueOrder) {
  registerCoreFamilies();
  registerAllGeometries();  // a second time changes nothing
  std::vector<std::string> const expected = {"geom_null",   "geom_disk",    "geom_inverse", "geom_nfold",
                                             "geom_sphere", "geom_squared", "geom_swirl"};
  std::vector<std::string> const ids = GeometryFactory::getIdentifiers();
  ASSERT_GE(ids.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(ids.begin(), ids.begin() + 7), expected);

  // Defaults and inverses of each kind are pinned by the text-form and mapping tests.
  for (std::string const& id : expected) {
    auto const g = GeometryFactory::makeNewGeometry(id, 2);
    ASSERT_TRUE(g) << id;
    EXPECT_EQ(g->getIdentifier(), id);
    EXPECT_EQ(g->getVersion(), 2);
    EXPECT_NE(g, GeometryFactory::makeNewGeometry(id, 2));  // a new one every time
  }
}

TEST(GeometryFactory, UnknownIdentifiersThrowOrAnswerNull) {
  registerAllGeometries();
  std::vector<std::string> const unknown = {"", "GEOM_NULL", "geom_null ", std::string(10 * 1024 * 1024, 'g'),
                                            std::string("geom_null\0x", 11)};
  for (auto const& id : unknown) {
    EXPECT_FALSE(GeometryFactory::isRegistered(id));
    EXPECT_FALSE(GeometryFactory::tryMakeNewGeometry(id, 3));
    try {
      GeometryFactory::makeNewGeometry(id, 3);
      ADD_FAILURE() << "no exception for '" << id.substr(0, 20) << "'";
    } catch (UnknownGeometryError const& error) {
      EXPECT_EQ(error.identifier(), id);
    } catch (std::exception const&) {
      ADD_FAILURE() << "another exception";
    }
  }
  try {
    GeometryFactory::makeNewGeometry("geom_sine", 3);
    ADD_FAILURE() << "no exception for geom_sine";
  } catch (std::exception const& error) {
    EXPECT_STREQ(error.what(), "unknown geometry 'geom_sine'");
  }
}

TEST(GeometryFactory, ReadGeometryLeavesAFailedStreamAndReadsBlocksInARow) {
  registerAllGeometries();
  for (char const* text : {"geom_sine 0 0 0 0 1 ", "0 0 0 0 1 "}) {
    std::istringstream is(text);
    EXPECT_FALSE(GeometryFactory::readGeometry(is, 3)) << text;
    EXPECT_TRUE(is.fail()) << text;
  }
  // A stream that has already failed is left alone.
  std::istringstream failed("geom_null 0 0 0 0 1 ");
  failed.setstate(std::ios::failbit);
  EXPECT_FALSE(GeometryFactory::readGeometry(failed, 3));
  failed.clear();
  std::string first;
  failed >> first;
  EXPECT_EQ(first, "geom_null");
  // Two blocks in a row read one after the other; the version is the record's.
  std::istringstream two("geom_squared 0 0 0 0 1 5 geom_null 0 0 0 0 1 ");
  auto const a = GeometryFactory::readGeometry(two, 3);
  auto const b = GeometryFactory::readGeometry(two, 4);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->getIdentifier(), "geom_squared");
  EXPECT_EQ(b->getIdentifier(), "geom_null");
  EXPECT_EQ(b->getVersion(), 4);
}

}  // namespace
}  // namespace orlenza

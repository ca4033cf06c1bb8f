#include "core/generators/Halley/SnapshotHalley.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <typeinfo>

#include "core/CoreRegistration.h"
#include "core/generators/GeneratorTestSupport.h"
#include "core/model/SnapshotFactory.h"

namespace orlenza {
namespace {

using gen_test::recordOf;

using SnapshotHalleyTest = gen_test::CoreTest;

std::shared_ptr<Snapshot> readBack(std::string const& text) {
  std::istringstream is(text);
  auto snapshot = readSnapshotRecord(is, 3);
  EXPECT_FALSE(is.fail()) << text;
  return snapshot;
}

HalleyParameters const& paramsOf(Snapshot const& s) { return dynamic_cast<SnapshotHalley const&>(s).getParameters(); }

TEST_F(SnapshotHalleyTest, RegisteredOnceUnderItsIdentifier) {
  EXPECT_FALSE(SnapshotHalley::registerCreator());
  auto const made = SnapshotFactory::makeNewSnapshot("Halley", 3);
  Snapshot const& r = *made;
  EXPECT_EQ(typeid(r), typeid(SnapshotHalley));
}

TEST_F(SnapshotHalleyTest, RecordTextAndRoundTrip) {
  SnapshotHalley const s;
  std::string const text = recordOf(s);
  EXPECT_EQ(text,
            "Halley 0 0 1 0 0 0 geom_null 0 0 0 0 1 "
            "5 0 0 0 0 0.25 65535 0 0 0.5 65535 65535 0 0.75 65535 0 0 1 0 0 0 1 0 "
            "pf_none 0 pf_none 0 norm_lin 256 0 1  "
            "0 -1 0 0 0 0 0 1 0 0 0 0 0 1 0 OA_Dwell ?");
  auto const back = readBack(text);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->isEqual(s));
  EXPECT_EQ(back->getName(), "?");

  // The parameters' own rules apply inside a record: lambda's clamp, any test, any name.
  std::string const params = "1 0 0 -3 0 0 0 0 0 0 0 0 2.5 -0.5 7 OA_Nobody Wide_lace";
  auto const odd = readBack(text.substr(0, text.find("  ") + 2) + params);
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(paramsOf(*odd).coefficients[12], 2.5);
  EXPECT_EQ(paramsOf(*odd).getLambda(), 0.5);
  EXPECT_EQ(odd->getName(), "Wide lace");

  // A parameter block cut short rejects the record.
  std::istringstream cut(text.substr(0, text.find("  ") + 2) + "1 0 0 -3 0 0 0 0 0 0 0 0 2.5 -0.5");
  EXPECT_EQ(readSnapshotRecord(cut, 3), nullptr);
}

TEST_F(SnapshotHalleyTest, MorphWithinTheKindAndAcrossKinds) {
  HalleyParameters p;
  HalleyParameters q;
  p.setLambda(0.5);
  q.setLambda(2);
  q.coefficients[7] = 3;
  SnapshotCore c1;
  c1.setNorm(100);
  SnapshotCore c2;
  c2.setNorm(300);
  auto const a = std::make_shared<SnapshotHalley>("a", c1, p);
  auto const b = std::make_shared<SnapshotHalley>("b", c2, q);

  auto const m = a->morphTowards(b, 0.5);
  Snapshot const& r = *m;
  ASSERT_EQ(typeid(r), typeid(SnapshotHalley));
  EXPECT_EQ(paramsOf(*m).getLambda(), 1.25);
  EXPECT_EQ(paramsOf(*m).coefficients[7], 2);
  EXPECT_EQ(m->getName(), "");
  EXPECT_EQ(m->getCore().getNorm(), 200.0);
  EXPECT_TRUE(paramsOf(*a->morphTowards(b, 0)) == p);

  gen_test::expectForeignMorphCopies(a);
  EXPECT_TRUE(a->morphTowards(nullptr, 0.5, c2)->isEqual(*a));
}

}  // namespace
}  // namespace orlenza

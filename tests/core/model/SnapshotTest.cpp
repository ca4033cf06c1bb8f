#include "core/model/Snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <typeinfo>

#include "core/geometry/GeometryFactory.h"
#include "core/geometry/GeometryNfold.h"
#include "core/model/SnapshotFactory.h"
#include "core/model/SnapshotKind.h"
#include "core/model/SnapshotParameters.h"

namespace orlenza {
namespace {

// Two doubles, through the list-of-doubles base.
class PairParameters : public SnapshotParameters {
 public:
  explicit PairParameters(double a = 1.5, double b = -2.0) : values{a, b} {}
  double values[2];
  unsigned getNumParameters() const override { return 2; }
  double getParameter(unsigned long i) const override { return values[i]; }
  void setParameter(unsigned long i, double value) override { values[i] = value; }
};

class SnapshotPair final : public SnapshotKind<SnapshotPair, PairParameters> {
 public:
  static constexpr std::string_view kIdentifier = "TestPair";
  using SnapshotKind::SnapshotKind;
  SnapshotPair() = default;
  SnapshotPair(SnapshotPair const&) = default;
};

// A parameter class that names its own kind.
struct WordParameters {
  static constexpr std::string_view kSnapshotIdentifier = "TestWord";
  std::string word = "hello";
  double weight = 0.0;
  void outputParameters(std::ostream& os) const { os << word << ' ' << weight << ' '; }
  void inputParameters(std::istream& is) { is >> word >> weight; }
  void morph(WordParameters const& a, WordParameters const& b, double t) {
    word = a.word;
    weight = (1 - t) * a.weight + t * b.weight;
  }
  friend bool operator==(WordParameters const&, WordParameters const&) = default;
};
using SnapshotWord = ParameterizedSnapshot<WordParameters>;

std::shared_ptr<Snapshot> makeNothing() { return nullptr; }

class SnapshotTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registerAllGeometries();
    SnapshotPair::registerCreator();
    SnapshotWord::registerCreator();
    SnapshotFactory::registerCreator("TestNull", &makeNothing);
  }
};

std::string textOf(Snapshot const& s) {
  std::ostringstream os;
  os << s;
  return os.str();
}

std::string textOf(SnapshotCore const& c) {
  std::ostringstream os;
  os << c;
  return os.str();
}

TEST_F(SnapshotTest, EqualityIgnoresNamesAndComputationalEqualityIgnoresColouring) {
  SnapshotPair const a("first", SnapshotCore(), PairParameters());
  SnapshotPair named("another name", SnapshotCore(), PairParameters());
  EXPECT_TRUE(a.isEqual(named));

  SnapshotPair recoloured = named;
  recoloured.getCore().setGradationInfo(GradationInfo(Gradation(), 1, 0));
  EXPECT_FALSE(a.isEqual(recoloured));
  EXPECT_TRUE(a.isComputationallyEqual(recoloured));

  SnapshotPair moved = named;
  moved.getCore().offsetView(0.5, 0);
  EXPECT_FALSE(a.isEqual(moved));
  EXPECT_FALSE(a.isComputationallyEqual(moved));

  SnapshotPair other = named;
  other.getParameters().values[1] += 1e-9;
  EXPECT_FALSE(a.isEqual(other));
  EXPECT_FALSE(a.isComputationallyEqual(other));
  other.getParameters().values[1] = -2.0 + 1e-11;
  EXPECT_TRUE(a.isEqual(other));

  SnapshotWord const word;
  EXPECT_FALSE(a.isEqual(word));
  EXPECT_FALSE(a.isComputationallyEqual(word));
  EXPECT_THROW((void)a.isEqual_(word), std::bad_cast);
}

TEST_F(SnapshotTest, RecordTextAndNames) {
  SnapshotCore core;
  core.setVersion(3);
  PairParameters const p(0.5, -0.0);
  SnapshotPair const s("three word name", core, p);
  EXPECT_EQ(textOf(s), "TestPair " + textOf(core) + " 0.5 -0 three_word_name");

  struct Case {
    char const* name;
    char const* written;
    char const* readBack;
  } const cases[] = {
      {"three word name", "three_word_name", "three word name"},
      {"under_score", "under_score", "under score"},
      {"line\nfeed\r\n", "line_feed__", "line feed  "},
      {"", "?", "?"},
      {" padded ", "_padded_", " padded "},
  };
  for (auto const& c : cases) {
    SnapshotPair named(c.name, core, p);
    std::string const text = textOf(named);
    EXPECT_EQ(text.substr(text.rfind(' ') + 1), c.written) << c.name;
    std::istringstream is(text);
    auto const back = readSnapshotRecord(is, 3);
    ASSERT_NE(back, nullptr) << text;
    EXPECT_FALSE(is.fail());
    EXPECT_EQ(back->getName(), c.readBack);
    EXPECT_TRUE(back->isEqual(named));
    EXPECT_EQ(back->getVersion(), 3);
    EXPECT_EQ(back->getCore().getVersion(), 3);
  }
}

TEST_F(SnapshotTest, GarbageRecordsFailTheStream) {
  SnapshotPair const good("good one", SnapshotCore(), PairParameters());
  std::string const text = textOf(good);
  std::string const bad[] = {
      "",
      "NoSuchKind " + text.substr(9),
      "testpair " + text.substr(9),
      text.substr(0, text.rfind(' ')),  // name missing
      text.substr(0, text.size() / 2),
      "TestPair x",
      std::string(10 << 20, 'T'),
  };
  for (auto const& b : bad) {
    std::istringstream is(b);
    EXPECT_EQ(readSnapshotRecord(is, 3), nullptr) << b.substr(0, 60);
    EXPECT_TRUE(is.fail()) << b.substr(0, 60);
  }

  // operator>> on a bad record keeps the core and the name.
  SnapshotPair target("kept", SnapshotCore(), PairParameters());
  target.getCore().setNorm(5);
  target.setVersion(3);
  std::istringstream is(text.substr(9, 40));
  is >> target;
  EXPECT_TRUE(is.fail());
  EXPECT_EQ(target.getName(), "kept");
  EXPECT_EQ(target.getCore().getNorm(), 5.0);

  // A failed stream stays failed and reads nothing.
  std::istringstream failed(text);
  failed.setstate(std::ios::failbit);
  EXPECT_EQ(readSnapshotRecord(failed, 3), nullptr);
}

}  // namespace
}  // namespace orlenza

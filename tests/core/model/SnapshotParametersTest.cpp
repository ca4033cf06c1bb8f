#include "core/model/SnapshotParameters.h"
#include "core/model/RecordWord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

namespace orlenza {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A block of any length, for the base operations.
class ListParameters : public SnapshotParameters {
 public:
  explicit ListParameters(std::vector<double> values) : m_values(std::move(values)) {}
  unsigned getNumParameters() const override { return static_cast<unsigned>(m_values.size()); }
  double getParameter(unsigned long i) const override { return m_values.at(i); }
  void setParameter(unsigned long i, double value) override { m_values.at(i) = value; }
  std::vector<double> const& values() const { return m_values; }

 private:
  std::vector<double> m_values;
};

TEST(ParamsAreEqual, ToleranceAndNonFiniteValues) {
  struct Case {
    double a, b;
    bool equal;
  } const cases[] = {
      {0.0, -0.0, true},     {1.0, 1.0 + 5e-11, true}, {1.0, 1.0 + 2e-10, false}, {0.0, 1e-10, false},
      {kInf, kInf, true},    {kInf, -kInf, false},     {kInf, 1e308, false},      {kNaN, kNaN, false},
      {1e300, 1e300, true},  {4.9e-324, 0.0, true},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(paramsAreEqual(c.a, c.b), c.equal) << c.a << " vs " << c.b;
    EXPECT_EQ(paramsAreEqual(c.b, c.a), c.equal) << c.b << " vs " << c.a;
  }
}

TEST(SnapshotParameters, MorphEqualityAndTextForm) {
  ListParameters a({0.0, 10.0, -4.0});
  ListParameters b({2.0, 20.0, 4.0});
  ListParameters result({9.0, 9.0, 9.0});
  result.morph(a, b, 0.25);
  EXPECT_EQ(result.values(), (std::vector<double>{0.5, 12.5, -2.0}));

  // A shorter source is never read past its end; the rest of the result stays.
  ListParameters shorter({100.0});
  result.morph(shorter, b, 0.5);
  EXPECT_EQ(result.values(), (std::vector<double>{51.0, 12.5, -2.0}));

  EXPECT_TRUE(a == ListParameters({0.0, 10.0 + 1e-11, -4.0}));
  EXPECT_FALSE(a == ListParameters({0.0, 10.0, -4.0 + 1e-9}));
  EXPECT_FALSE(a == ListParameters({0.0, 10.0}));

  std::ostringstream os;
  ListParameters({0.5, -0.0, 1e300, kNaN, -kInf}).outputParameters(os);
  EXPECT_EQ(os.str(), "0.5 -0 1e+300 nan -inf ");

  ListParameters read({7.0, 7.0, 7.0, 7.0, 7.0});
  std::istringstream is(os.str());
  read.inputParameters(is);
  ASSERT_FALSE(is.fail());
  EXPECT_EQ(read.values()[0], 0.5);
  EXPECT_TRUE(std::signbit(read.values()[1]));
  EXPECT_EQ(read.values()[2], 1e300);
  EXPECT_TRUE(std::isnan(read.values()[3]));
  EXPECT_EQ(read.values()[4], -kInf);
}

TEST(SnapshotParameters, GarbageFailsAndChangesNothing) {
  char const* bad[] = {"", "1 2", "1 x 3", "1 2 3e999", "nanx 1 2"};
  for (char const* text : bad) {
    ListParameters p({7.0, 8.0, 9.0});
    std::istringstream is(text);
    p.inputParameters(is);
    EXPECT_TRUE(is.fail()) << text;
    EXPECT_EQ(p.values(), (std::vector<double>{7.0, 8.0, 9.0})) << text;
  }
  std::istringstream huge(std::string(10 << 20, '7') + " 1 2");
  ListParameters p({7.0, 8.0, 9.0});
  p.inputParameters(huge);
  EXPECT_TRUE(huge.fail());
}

TEST(RecordWord, WhitespaceBecomesUnderscoreAndEmptyIsMarked) {
  struct Case {
    char const* word;
    char const* written;
  } const cases[] = {
      {"", "?"}, {"two words", "two_words"}, {"line\nfeed\r", "line_feed_"}, {"a_b", "a_b"}, {"\v\f", "__"},
  };
  for (auto const& c : cases) EXPECT_EQ(asRecordWord(c.word), c.written) << c.word;
  EXPECT_EQ(asRecordWord("", "pf_none"), "pf_none");
}

}  // namespace
}  // namespace orlenza

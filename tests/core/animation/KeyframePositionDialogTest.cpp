#include "core/animation/KeyframePositionDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/animation/KeyframeContainer.h"
#include "core/base/StringTable.h"
#include "core/generators/EscapeTime/SnapshotEscapeParams.h"

namespace orlenza {
namespace {

using Verdict = KeyframePositionDialog::Verdict;

TEST(KeyframePositionDialog, ShowsTheInitialValueWithSixSignificantDigits) {
  KeyframeContainer const empty;
  struct Case {
    double initial;
    char const* text;
  };
  Case const cases[] = {
      {0.0, "0"},
      {1.0 / 3.0, "0.333333"},
      {0.123456789, "0.123457"},
      {static_cast<double>(0.3f), "0.3"},  // a float position widened, as the timeline passes it
      {0.00001, "1e-05"},
      {0.99999999, "1"},
      {-0.0, "-0"},
  };
  for (auto const& c : cases) EXPECT_EQ(KeyframePositionDialog(empty, c.initial).getText(), c.text) << c.initial;
}

TEST(KeyframePositionDialog, JudgesTheTypedText) {
  KeyframeContainer container;
  ASSERT_TRUE(container.addKeyframe(std::make_shared<SnapshotEscapeParams>(), 0.0f));
  ASSERT_TRUE(container.addKeyframe(std::make_shared<SnapshotEscapeParams>(), 0.5f));
  ASSERT_TRUE(container.addKeyframe(std::make_shared<SnapshotEscapeParams>(), 0.33333f));

  struct Case {
    char const* text;
    Verdict verdict;
  };
  Case const cases[] = {
      {"1.5", Verdict::outOfRange},
      {"1.00000001", Verdict::outOfRange},  // above 1 as a double, though 1 as a float
      {"-1e-300", Verdict::outOfRange},
      {"1e999", Verdict::outOfRange},
      {"nan", Verdict::outOfRange},
      // Not numbers: atof would read 0 or a prefix and accept them.
      {"", Verdict::outOfRange},
      {"abc", Verdict::outOfRange},
      {"0.7x", Verdict::outOfRange},
      {"0.7 0.8", Verdict::outOfRange},
      {"0,7", Verdict::outOfRange},
      {"+-0.5", Verdict::outOfRange},
      {"0x0.8", Verdict::outOfRange},
      // Positions of keyframes, within their 1/10000 step.
      {"0", Verdict::duplicate},
      {"0.00009", Verdict::duplicate},
      {"0.5", Verdict::duplicate},
      {"0.33334", Verdict::duplicate},
      {"5e-1", Verdict::duplicate},
      // Free places.
      {"0.25", Verdict::accepted},
      {" 0.25\t", Verdict::accepted},
      {".25", Verdict::accepted},
      {"1", Verdict::accepted},
      {"0.3334", Verdict::accepted},
      {"1e-4", Verdict::accepted},
  };
  KeyframePositionDialog dialog(container, 0.0);
  for (auto const& c : cases) {
    dialog.setText(c.text);
    EXPECT_EQ(dialog.validate(), c.verdict) << '"' << c.text << '"';
    EXPECT_EQ(dialog.acceptedPosition().has_value(), c.verdict == Verdict::accepted) << '"' << c.text << '"';
  }
  dialog.setText("0.7");
  EXPECT_EQ(dialog.acceptedPosition(), 0.7f);
  // The initial text of an existing keyframe is its duplicate until it is moved away.
  EXPECT_EQ(KeyframePositionDialog(container, 0.5f).validate(), Verdict::duplicate);
}

TEST(KeyframePositionDialog, EachRefusalNamesItsAlertAndItsTexts) {
  EXPECT_FALSE(KeyframePositionDialog::alertFor(Verdict::accepted).has_value());
  auto const range = KeyframePositionDialog::alertFor(Verdict::outOfRange);
  auto const duplicate = KeyframePositionDialog::alertFor(Verdict::duplicate);
  ASSERT_TRUE(range && duplicate);
  EXPECT_EQ(range->mainKey, "InvalidKeyframeRangeMain");
  EXPECT_EQ(duplicate->mainKey, "InvalidKeyframeDuplicateMain");
  for (auto const& alert : {*range, *duplicate}) {
    EXPECT_TRUE(hasLocalizedString(alert.mainKey)) << alert.mainKey;
    EXPECT_TRUE(hasLocalizedString(alert.explainKey)) << alert.explainKey;
  }
}

}  // namespace
}  // namespace orlenza

#include "core/animation/KeyframePositionDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/animation/KeyframeContainer.h"
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
  // 0.3f: a float position widened, as the timeline passes it.
  Case const cases[] = {{0.0, "0"},     {1.0 / 3.0, "0.333333"}, {0.123456789, "0.123457"}, {double(0.3f), "0.3"},
                        {1e-5, "1e-05"}, {0.99999999, "1"},       {-0.0, "-0"}};
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
  auto const range = Verdict::outOfRange, duplicate = Verdict::duplicate, accepted = Verdict::accepted;
  Case const cases[] = {
      // 1.00000001 is above 1 as a double, though 1 as a float.
      {"1.5", range}, {"1.00000001", range}, {"-1e-300", range}, {"1e999", range}, {"nan", range},
      // Not numbers: atof would read 0 or a prefix and accept them.
      {"", range}, {"abc", range}, {"0.7x", range}, {"0.7 0.8", range}, {"0,7", range}, {"+-0.5", range},
      {"0x0.8", range},
      // Positions of keyframes, within their 1/10000 step.
      {"0", duplicate}, {"0.00009", duplicate}, {"0.5", duplicate}, {"0.33334", duplicate}, {"5e-1", duplicate},
      // Free places.
      {"0.25", accepted}, {" 0.25\t", accepted}, {".25", accepted}, {"1", accepted}, {"0.3334", accepted},
      {"1e-4", accepted},
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
  // The refusals' alerts are pinned by the timeline controller's tests.
  EXPECT_FALSE(KeyframePositionDialog::alertFor(Verdict::accepted).has_value());
}

}  // namespace
}  // namespace orlenza

#include "core/panes/AbstractParameterPane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace orlenza {
namespace {

// Exposes the typed accessors so the translation rules can be checked.
class FieldsOnlyPane : public AbstractParameterPane {
 public:
  using AbstractParameterPane::AbstractParameterPane;
  using AbstractParameterPane::checkFieldValue;
  using AbstractParameterPane::doubleFieldValue;
  using AbstractParameterPane::integerFieldValue;
  using AbstractParameterPane::setCheckField;
  using AbstractParameterPane::setDoubleField;
  using AbstractParameterPane::setIntegerField;
};

std::vector<PaneField> mixedFields() {
  return {
      {.labelKey = "k_check", .kind = FieldKind::CheckBox},                   // 0
      {.labelKey = "k_x", .kind = FieldKind::Double, .lockIndex = 101},       // 1
      {.labelKey = "k_menu", .kind = FieldKind::Choice, .lockIndex = 201, .choices = {"one", "two"}},  // 2
      {.labelKey = "k_n", .kind = FieldKind::Integer, .minimum = 0, .maximum = 4294967295.0},  // 3
      {.labelKey = "k_y", .kind = FieldKind::Double, .digits = 5, .minimum = -1, .maximum = 1},  // 4
      {.labelKey = "k_word", .kind = FieldKind::Text},                       // 5
      {.labelKey = "k_check2", .kind = FieldKind::CheckBox},                  // 6
  };
}

TEST(AbstractParameterPane, TabOrderFollowsTheTextBoxesWithoutWrapping) {
  FieldsOnlyPane pane(mixedFields());
  EXPECT_EQ(pane.getFirstTextBox(), 1u);
  EXPECT_EQ(pane.getLastTextBox(), 5u);
  struct Case {
    std::size_t from;
    std::optional<std::size_t> next, prev;
  } const cases[] = {
      {0, 1, std::nullopt}, {1, 3, std::nullopt}, {2, 3, 1}, {3, 4, 1},
      {4, 5, 3},            {5, std::nullopt, 4}, {6, std::nullopt, 5}, {99, std::nullopt, 5},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(pane.getNextTextBox(c.from), c.next) << c.from;
    EXPECT_EQ(pane.getPrevTextBox(c.from), c.prev) << c.from;
  }
  FieldsOnlyPane empty(std::vector<PaneField>{});
  EXPECT_EQ(empty.getFirstTextBox(), std::nullopt);
  EXPECT_EQ(empty.getLastTextBox(), std::nullopt);
  FieldsOnlyPane noText({{.labelKey = "c", .kind = FieldKind::CheckBox}});
  EXPECT_EQ(noText.getFirstTextBox(), std::nullopt);
  EXPECT_EQ(noText.getNextTextBox(0), std::nullopt);
}

TEST(AbstractParameterPane, LocksExistOnlyWhereAFieldHasOne) {
  FieldsOnlyPane pane(mixedFields());
  for (int index : {0, 101, 201, 102, -1}) EXPECT_TRUE(pane.parameterIsUnlocked(index)) << index;
  pane.setLocked(101, true);
  pane.setLocked(102, true);  // no field has lock 102: stays unlocked
  EXPECT_FALSE(pane.parameterIsUnlocked(101));
  EXPECT_TRUE(pane.parameterIsUnlocked(102));
  EXPECT_TRUE(pane.parameterIsUnlocked(201));
}

TEST(AbstractParameterPane, TextsOfEachKind) {
  FieldsOnlyPane pane(mixedFields());
  // Initial texts: boxes clear, numbers zero, menus on their first item.
  EXPECT_EQ(pane.fieldText(0), "0");
  EXPECT_EQ(pane.fieldText(2), "one");

  pane.setFieldText(2, "two");
  pane.setFieldText(2, "three");  // not an item: the menu keeps its selection
  EXPECT_EQ(pane.fieldText(2), "two");

  struct CheckCase {
    char const* text;
    bool set;
  } const checks[] = {{"0", false}, {"", false}, {"yes", true}, {"-1", true}};
  for (auto const& c : checks) {
    pane.setFieldText(0, c.text);
    EXPECT_EQ(pane.checkFieldValue(0), c.set) << c.text;
  }
  pane.setCheckField(6, true);
  EXPECT_EQ(pane.fieldText(6), "1");

  double const inf = std::numeric_limits<double>::infinity();
  std::string const thousandDigits(1000, '9');
  struct DoubleCase {
    char const* text;
    double unbounded;  // field 1, any value
    double bounded;    // field 4, clamped to [-1, 1]
  } const doubles[] = {
      {"  -0.25 ", -0.25, -0.25}, {"1e300", 1e300, 1}, {"-inf", 0, -1},       {"", 0, 0},
      {"1.5x", 0, 0},             {"4.9e-324", 4.9e-324, 4.9e-324},          {"1e999", 0, 0},
      {"nan", 0, 0},              {thousandDigits.c_str(), 0, 0},
  };
  for (auto const& c : doubles) {
    pane.setFieldText(1, c.text);
    pane.setFieldText(4, c.text);
    EXPECT_EQ(pane.doubleFieldValue(1), c.unbounded) << c.text;
    EXPECT_EQ(pane.doubleFieldValue(4), c.bounded) << c.text;
  }
  // A non-finite value the program wrote reads back while it is shown.
  pane.setDoubleField(1, -inf);
  EXPECT_EQ(pane.doubleFieldValue(1), -inf);
  pane.setFieldText(1, "-inf ");
  EXPECT_EQ(pane.doubleFieldValue(1), 0);

  struct IntCase {
    char const* text;
    long long value;
  } const ints[] = {{"3.9", 3},  {"-7", 0},  {"1e30", 4294967295LL},
                    {"nan", 0},  {"x", 0},   {"4294967296", 4294967295LL}};
  for (auto const& c : ints) {
    pane.setFieldText(3, c.text);
    EXPECT_EQ(pane.integerFieldValue(3), c.value) << c.text;
  }
  pane.setIntegerField(3, -12);
  EXPECT_EQ(pane.fieldText(3), "-12");
}

TEST(AbstractParameterPane, DoubleTextsCarryTheirDigitsAndReadBack) {
  struct Case {
    double value;
    int digits;
    char const* text;
  } const cases[] = {
      {1.0 / 3.0, 10, "0.3333333333"},
      {-2.0 / 3.0, 5, "-0.66667"},
      {123456789012.0, 10, "1.23456789e+11"},
      {1e-300, 10, "1e-300"},
      {-0.0, 10, "-0"},
      {std::numeric_limits<double>::quiet_NaN(), 10, "nan"},
      {-std::numeric_limits<double>::quiet_NaN(), 10, "nan"},
      {-std::numeric_limits<double>::infinity(), 10, "-inf"},
      {4.9406564584124654e-324, 10, "4.940656458e-324"},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(formatSignificant(c.value, c.digits), c.text) << c.value;
    double const back = parseFieldNumber(c.text);
    if (std::isnan(c.value))
      EXPECT_TRUE(std::isnan(back));
    else if (c.value == 0 || std::isinf(c.value))
      EXPECT_EQ(back, c.value);
    else
      EXPECT_NEAR(back / c.value, 1.0, 1e-4);
  }
  FieldsOnlyPane pane(mixedFields());
  pane.setDoubleField(4, 1.0 / 3.0);
  EXPECT_EQ(pane.fieldText(4), "0.33333");
}

class RecordingListener : public PaneListener {
 public:
  void adjustDrawing() override { events.push_back(-1); }
  void currentSnapshotControlsChanged(std::size_t field) override { events.push_back(static_cast<int>(field)); }
  std::vector<int> events;
};

TEST(AbstractParameterPane, EditsReportDrawStateThenTheChangedField) {
  FieldsOnlyPane pane(mixedFields());
  pane.adjustDrawing(3);  // no listener: nothing happens, nothing breaks
  RecordingListener listener;
  pane.setListener(&listener);
  pane.adjustDrawing(3);
  pane.adjustDrawing(0);
  EXPECT_EQ(listener.events, (std::vector<int>{-1, 3, -1, 0}));
}

}  // namespace
}  // namespace orlenza

#include "core/engine/ImageComputator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstring>
#include <vector>

namespace orlenza {
namespace {

class FakeComputator : public AbstractImageComputator {
 public:
  FakeComputator(std::string identifier, double size) : AbstractImageComputator(std::move(identifier)), m_size(size) {}
  void computeImage(Snapshot const&, int, int, RawField&, ComputationNotifier&) override {}
  View getDefaultView() const override { return View(0, 0, m_size, 0, false, false); }

 private:
  double m_size;
};

TEST(ImageComputatorRegistry, FirstRegistrationWinsAndOnlyItLeaves) {
  EXPECT_EQ(AbstractImageComputator::getComputatorFromID("test-kind"), nullptr);
  {
    FakeComputator first("test-kind", 1);
    EXPECT_EQ(AbstractImageComputator::getComputatorFromID("test-kind"), &first);
    {
      FakeComputator second("test-kind", 2);
      EXPECT_EQ(AbstractImageComputator::getComputatorFromID("test-kind"), &first);
    }
    // The ignored second one does not take the first one's entry with it.
    EXPECT_EQ(AbstractImageComputator::getComputatorFromID("test-kind"), &first);
    EXPECT_EQ(AbstractImageComputator::getComputatorFromID("test-kin"), nullptr);
    EXPECT_EQ(AbstractImageComputator::getComputatorFromID(""), nullptr);
  }
  EXPECT_EQ(AbstractImageComputator::getComputatorFromID("test-kind"), nullptr);
}

// Counts the calls in the order the contract asks for them.
class CountingNotifier : public ComputationNotifier {
 public:
  long total = -1;
  int iterations = 0;
  int cancelAfter = -1;  // answer canceled once this many rows are done
  std::vector<char> calls;

  void initialize(long t) override {
    total = t;
    calls.push_back('i');
  }
  void iterate() override {
    ++iterations;
    calls.push_back('+');
  }
  bool areWeCanceled() const override {
    const_cast<CountingNotifier*>(this)->calls.push_back('?');
    return cancelAfter >= 0 && iterations >= cancelAfter;
  }
};

// A row kernel whose values depend on the row and column only.
void fillRow(RawField& field, int y) {
  for (int x = 0; x < field.width(); ++x) field[x][y] = std::sin(x * 0.37 + y * 1.91) * (x + 1) / (y + 2);
}

TEST(ComputePixelRows, OneStepPerRowAndThreadsGiveTheOneThreadFieldBitForBit) {
  RawField single(301, 257);
  for (unsigned threads : {1u, 4u}) {
    RawField field(301, 257);
    CountingNotifier notifier;
    EXPECT_TRUE(computePixelRows(
        257, notifier, [&](int y, RowStop const&) { fillRow(field, y); }, threads));
    EXPECT_EQ(notifier.total, 257);
    EXPECT_EQ(notifier.iterations, 257);
    // Each step is followed by a look at the cancel; the reporting thread's
    // poll may look once more in between.
    ASSERT_GE(notifier.calls.size(), 515u);
    EXPECT_EQ(notifier.calls[0], 'i');
    EXPECT_EQ(std::count(notifier.calls.begin(), notifier.calls.end(), '+'), 257);
    for (std::size_t i = 1; i < notifier.calls.size(); ++i)
      if (notifier.calls[i] == '+') {
        EXPECT_EQ(i + 1 < notifier.calls.size() ? notifier.calls[i + 1] : 'x', '?') << i;
      }
    if (threads == 1) single = field;
    EXPECT_EQ(std::memcmp(single.data(), field.data(), single.cellCount() * sizeof(double)), 0);
  }
}

TEST(ComputePixelRows, CancelStopsBetweenRowsAndLeavesTheRestUntouched) {
  RawField field(3, 20);
  CountingNotifier notifier;
  notifier.cancelAfter = 4;
  EXPECT_FALSE(computePixelRows(
      20, notifier, [&](int y, RowStop const&) { fillRow(field, y); }, 1));
  EXPECT_EQ(notifier.iterations, 4);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(std::isnan(field[0][y]), y >= 4) << y;
}

}  // namespace
}  // namespace orlenza

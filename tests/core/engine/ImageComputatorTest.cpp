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

}  // namespace
}  // namespace orlenza

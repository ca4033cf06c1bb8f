#include "core/engine/ImageComputator.h"

#include <gtest/gtest.h>


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

}  // namespace
}  // namespace orlenza

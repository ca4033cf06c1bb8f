#include "core/control/SnapshotPreviewer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

#include "core/CoreRegistration.h"
#include "core/engine/ComputationNotifier.h"
#include "core/engine/PictureRendering.h"
#include "core/library/StandardSnapshots.h"

namespace orlenza {
namespace {

// Collects the answers of the worker thread.
struct Answers {
  std::mutex mutex;
  std::condition_variable arrived;
  std::map<std::uint64_t, SnapshotPreviewer::Picture> byTicket;

  SnapshotPreviewer::Picture waitFor(std::uint64_t ticket) {
    std::unique_lock lock(mutex);
    bool const came = arrived.wait_for(lock, std::chrono::seconds(60), [&] { return byTicket.count(ticket) != 0; });
    return came ? byTicket[ticket] : nullptr;
  }
};

// Requests in quick succession: only the last is certain to be answered, the
// answer is the picture the renderer makes, and a repeated request comes from
// the cache at once.
TEST(SnapshotPreviewerTest, LatestRequestIsAnsweredThenCached) {
  registerCoreFamilies();
  Answers answers;
  SnapshotPreviewer previewer([&answers](std::uint64_t ticket, SnapshotPreviewer::Picture picture) {
    std::lock_guard lock(answers.mutex);
    answers.byTicket[ticket] = std::move(picture);
    answers.arrived.notify_all();
  });
  auto const first = StandardSnapshots::getSnapshot("EscParams", 0);
  auto const last = StandardSnapshots::getSnapshot("Halley", 0);
  std::uint64_t ticket = 0;
  EXPECT_EQ(previewer.request(*first, 48, 32, ticket), nullptr);
  EXPECT_EQ(previewer.request(*StandardSnapshots::getSnapshot("Biomorph", 0), 48, 32, ticket), nullptr);
  EXPECT_EQ(previewer.request(*last, 48, 32, ticket), nullptr);
  SnapshotPreviewer::Picture const shown = answers.waitFor(ticket);
  ASSERT_NE(shown, nullptr);

  NullComputationNotifier notifier;
  auto const direct = renderSnapshot(last->clone(), 48, 32, false, notifier);
  ASSERT_TRUE(direct);
  EXPECT_EQ(shown->rgb, direct->image.rgb);

  int const computed = previewer.computedCount();
  auto renamed = last->clone();
  renamed->setName("another name, the same picture");
  EXPECT_EQ(previewer.request(*renamed, 48, 32, ticket), shown);
  EXPECT_EQ(previewer.computedCount(), computed);
  EXPECT_EQ(previewer.request(*last, 32, 32, ticket), nullptr);  // another size is another picture
  previewer.cancel();
}

}  // namespace
}  // namespace orlenza

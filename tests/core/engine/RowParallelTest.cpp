#include "core/engine/RowParallel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace orlenza {
namespace {

// Counts its calls, checks they all come from the thread that built it, and
// cancels after a given number of rows (never when negative).
class CountingProgress : public RowProgress {
 public:
  explicit CountingProgress(int cancelAfter = -1) : m_cancelAfter(cancelAfter) {}

  void rowDone() override {
    if (std::this_thread::get_id() != m_owner) m_foreignCalls.fetch_add(1);
    ++m_rowsDone;
  }
  bool cancelled() const override {
    if (std::this_thread::get_id() != m_owner) m_foreignCalls.fetch_add(1);
    return m_cancelAfter >= 0 && m_rowsDone >= m_cancelAfter;
  }

  int rowsDone() const { return m_rowsDone; }
  int foreignCalls() const { return m_foreignCalls.load(); }

 private:
  std::thread::id const m_owner = std::this_thread::get_id();
  int const m_cancelAfter;
  int m_rowsDone = 0;
  mutable std::atomic<int> m_foreignCalls{0};
};

// Raises highest to row if row is higher.
void raiseTo(std::atomic<int>& highest, int row) {
  int seen = highest.load();
  while (row > seen && !highest.compare_exchange_weak(seen, row)) {
  }
}

unsigned const kThreadCounts[] = {0, 1, 2, 3, 8, 5000};

TEST(RowParallel, EveryRowExactlyOnceAndOneStepPerRow) {
  // Each row index exactly once is what makes a threaded picture equal the one-thread one.
  int const rowCounts[] = {1, 2, 3, 17, 1000};
  for (int rows : rowCounts) {
    for (unsigned threads : kThreadCounts) {
      SCOPED_TRACE(std::to_string(rows) + " rows, " + std::to_string(threads) + " threads");
      std::unique_ptr<std::atomic<int>[]> calls(new std::atomic<int>[rows]);
      for (int i = 0; i < rows; ++i) calls[i] = 0;
      CountingProgress progress;
      EXPECT_TRUE(runRows(rows, [&](int row, RowStop const&) { calls[row].fetch_add(1); }, progress, threads));
      for (int i = 0; i < rows; ++i) ASSERT_EQ(calls[i].load(), 1) << "row " << i;
      EXPECT_EQ(progress.rowsDone(), rows);
      EXPECT_EQ(progress.foreignCalls(), 0);
    }
  }
}

TEST(RowParallel, NoRowsIsDoneAtOnceAndCancelOnTheLastRowIsStillFalse) {
  for (int rows : {0, -1, -2147483647 - 1}) {
    CountingProgress progress(0);
    bool called = false;
    EXPECT_TRUE(runRows(rows, [&](int, RowStop const&) { called = true; }, progress, 4));
    EXPECT_FALSE(called);
    EXPECT_EQ(progress.rowsDone(), 0);
  }
  for (unsigned threads : {1u, 2u}) {
    CountingProgress progress(3);
    EXPECT_FALSE(runRows(3, [](int, RowStop const&) {}, progress, threads));
    EXPECT_EQ(progress.rowsDone(), 3);
  }
}

TEST(RowParallel, RowsRunAtTheSameTime) {
  // Two rows that each wait for the other finish only when two threads run them.
  std::atomic<int> arrived{0};
  std::atomic<bool> bothSeen{true};
  CountingProgress progress;
  EXPECT_TRUE(runRows(
      2,
      [&](int, RowStop const&) {
        arrived.fetch_add(1);
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (arrived.load() < 2) {
          if (std::chrono::steady_clock::now() > deadline) {
            bothSeen = false;
            return;
          }
          std::this_thread::yield();
        }
      },
      progress, 2));
  EXPECT_TRUE(bothSeen.load());
}

TEST(RowParallel, ProgressMovesOnWhileALongRowRuns) {
  // One row lasts until every other row has been reported, polling its stop as
  // long rows do; whichever thread runs it, the reports must still come.
  class AtomicProgress : public RowProgress {
   public:
    void rowDone() override { done.fetch_add(1); }
    bool cancelled() const override { return false; }
    std::atomic<int> done{0};
  };
  int const rows = 64;
  for (int longRow : {0, rows - 1}) {
    AtomicProgress progress;
    std::atomic<bool> reportsSeen{true};
    EXPECT_TRUE(runRows(
        rows,
        [&](int row, RowStop const& stop) {
          if (row != longRow) return;
          auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
          while (progress.done.load() < rows - 1) {
            if (stop.requested() || std::chrono::steady_clock::now() > deadline) {
              reportsSeen = false;
              return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
          }
        },
        progress, 2));
    EXPECT_TRUE(reportsSeen.load()) << longRow;
    EXPECT_EQ(progress.done.load(), rows);
  }
}

TEST(RowParallel, CancelStopsBetweenRows) {
  // Rows below cancelAfter finish at once; later rows run until they see the
  // stop, so the number of rows begun is bounded without depending on timing.
  // cancelAfter 0: every row waits for a stop that must reach it.
  for (int cancelAfter : {5, 0}) {
    for (unsigned threads : {1u, 2u, 4u}) {
      SCOPED_TRACE(std::to_string(cancelAfter) + " rows, " + std::to_string(threads) + " threads");
      std::atomic<int> begun{0};
      std::atomic<int> highest{-1};
      CountingProgress progress(cancelAfter);
      bool const done = runRows(
          400,
          [&](int row, RowStop const& stop) {
            begun.fetch_add(1);
            raiseTo(highest, row);
            if (row < cancelAfter) return;
            while (!stop.requested()) std::this_thread::sleep_for(std::chrono::microseconds(200));
          },
          progress, threads);
      EXPECT_FALSE(done);
      EXPECT_GE(begun.load(), std::max(cancelAfter, 1));
      EXPECT_LE(begun.load(), cancelAfter + static_cast<int>(threads));
      if (cancelAfter > 0) {
        EXPECT_EQ(progress.rowsDone(), cancelAfter);
        EXPECT_LT(highest.load(), cancelAfter + static_cast<int>(threads));
      }
      EXPECT_EQ(progress.foreignCalls(), 0);
    }
  }
}

TEST(RowParallel, ExceptionsReachTheCaller) {
  struct Case {
    int rows;
    int failingFrom;  // rows at or after this throw
  } const cases[] = {{100, 5}, {3, 2}, {1, 0}};
  for (auto const& c : cases) {
    for (unsigned threads : {1u, 2u, 4u}) {
      SCOPED_TRACE(std::to_string(c.rows) + " rows failing from " + std::to_string(c.failingFrom) + ", " +
                   std::to_string(threads) + " threads");
      std::atomic<int> inFlight{0};
      std::atomic<int> maxRowBegun{-1};
      CountingProgress progress;
      try {
        runRows(
            c.rows,
            [&](int row, RowStop const&) {
              inFlight.fetch_add(1);
              raiseTo(maxRowBegun, row);
              std::this_thread::sleep_for(std::chrono::microseconds(100));
              inFlight.fetch_sub(1);
              if (row >= c.failingFrom) throw std::range_error("row " + std::to_string(row));
            },
            progress, threads);
        ADD_FAILURE() << "no exception";
      } catch (std::range_error const& e) {
        EXPECT_EQ(std::string(e.what()).rfind("row ", 0), 0u);
      }
      EXPECT_EQ(inFlight.load(), 0);  // no row still runs after the throw
      EXPECT_LT(progress.rowsDone(), c.rows);
      // After a failure no new rows start beyond those the threads had taken.
      EXPECT_LT(maxRowBegun.load(), c.failingFrom + static_cast<int>(threads));
    }
  }
}

TEST(RowParallel, ProgressThatThrowsStopsTheWorkers) {
  class ThrowingProgress : public RowProgress {
   public:
    void rowDone() override { throw std::logic_error("progress failed"); }
    bool cancelled() const override { return false; }
  };
  for (unsigned threads : {1u, 2u, 4u}) {
    std::atomic<int> inFlight{0};
    ThrowingProgress progress;
    EXPECT_THROW(runRows(
                     1000,
                     [&](int, RowStop const&) {
                       inFlight.fetch_add(1);
                       std::this_thread::sleep_for(std::chrono::microseconds(50));
                       inFlight.fetch_sub(1);
                     },
                     progress, threads),
                 std::logic_error);
    EXPECT_EQ(inFlight.load(), 0);
  }
}

TEST(RowParallel, RowsMayRunRowJobsThemselves) {
  std::vector<int> cells(6 * 5, 0);
  CountingProgress outer;
  EXPECT_TRUE(runRows(
      6,
      [&](int y, RowStop const&) {
        CountingProgress inner;
        runRows(5, [&](int x, RowStop const&) { cells[y * 5 + x] += y * 10 + x; }, inner, 2);
      },
      outer, 3));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(cells[y * 5 + x], y * 10 + x);
}

TEST(RowParallel, ThreadCountDefaultsToTheMachineAndIsBounded) {
  unsigned const machine = std::max(1u, std::min(std::thread::hardware_concurrency(), 256u));
  struct Case {
    unsigned set;
    unsigned expected;
  } const cases[] = {{3, 3}, {1, 1}, {0, machine}, {257, 256}, {4294967295u, 256}};
  for (auto const& c : cases) {
    setThreadCount(c.set);
    EXPECT_EQ(threadCount(), c.expected) << c.set;
  }
  setThreadCount(2);
  CountingProgress progress;
  std::atomic<int> rows{0};
  EXPECT_TRUE(runRows(50, [&](int, RowStop const&) { rows.fetch_add(1); }, progress));
  EXPECT_EQ(rows.load(), 50);
  setThreadCount(0);
}

}  // namespace
}  // namespace orlenza

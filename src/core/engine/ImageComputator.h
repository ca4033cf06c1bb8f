#pragma once
// The computators: one per generator, registered under the identifier of the
// snapshot kind it computes, each filling a raw field from a snapshot.

#include <algorithm>
#include <string>

#include "core/engine/ComputationNotifier.h"
#include "core/engine/RawField.h"
#include "core/engine/RowParallel.h"
#include "core/model/View.h"

namespace orlenza {

class Snapshot;

class AbstractImageComputator {
 public:
  // Enters the computator into the registry unless the identifier is taken
  // there already: the first registration wins.
  explicit AbstractImageComputator(std::string identifier);
  // Leaves the registry only if this computator is the one registered.
  virtual ~AbstractImageComputator();
  AbstractImageComputator(AbstractImageComputator const&) = delete;
  AbstractImageComputator& operator=(AbstractImageComputator const&) = delete;

  // The contract every generator keeps:
  // - snapshot is of this computator's kind (a foreign kind throws std::bad_cast);
  // - field is width x height, both in [1, 2048]; every cell gets a value or NaN;
  // - notifier.initialize(total) once, then after each step iterate() and
  //   areWeCanceled(); on a cancel it returns at once, leaving the cells of the
  //   steps not done as they were;
  // - nothing of the snapshot, field or notifier is kept afterwards.
  virtual void computeImage(Snapshot const& snapshot, int width, int height, RawField& field,
                            ComputationNotifier& notifier) = 0;

  // The view in which the generator's default picture is shown.
  virtual View getDefaultView() const = 0;

  std::string const& getIdentifier() const { return m_identifier; }

  // The computator registered under identifier, or null.
  static AbstractImageComputator* getComputatorFromID(std::string const& identifier);

 private:
  std::string m_identifier;
};

// Gives each computator class its one instance, made (and so registered) on
// first use. registerAllComputators() asks every class for it once.
template <class Computator>
class ComputatorTraits {
 public:
  static Computator& instance() {
    static Computator s_instance;
    return s_instance;
  }
};

// The work of a pixel generator, row by row: computeRow(y, stop) writes
// field[x][y] for every x of row y and nothing else, so the rows may run on
// several threads and the field is the same bit for bit as on one. A row
// that runs long polls stop.requested() and returns early when it answers true.
//
// computePixelRows calls notifier.initialize(height), then runs the rows through
// the shared row threads; after each finished row it calls iterate() and then
// areWeCanceled(), all from the calling thread. A cancel starts no further row;
// rows already running finish or stop early. Answers false when canceled.
bool computePixelRows(int height, ComputationNotifier& notifier, RowFunction const& computeRow);
// The same with a given number of threads (tests compare one thread with many).
bool computePixelRows(int height, ComputationNotifier& notifier, RowFunction const& computeRow, unsigned threads);

// A generator's rows object built for width x height, each side held to the
// field whatever the caller says, then run by computePixelRows. Rows has the
// constructor (snapshot, width, height, field) and computeRow(y, stop).
template <class Rows, class Snap>
bool computeRowsInField(Snap const& snapshot, int width, int height, RawField& field, ComputationNotifier& notifier,
                        unsigned threads) {
  width = std::clamp(width, 1, field.width());
  height = std::clamp(height, 1, field.height());
  Rows const rows(snapshot, width, height, field);
  return computePixelRows(
      height, notifier, [&rows](int y, RowStop const& stop) { rows.computeRow(y, stop); }, threads);
}

}  // namespace orlenza

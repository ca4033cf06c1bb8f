#pragma once
// A complete picture description: a name, the generator-independent core and
// one generator's parameter block. Each generator adds one kind (a subclass
// named by an identifier); snapshots are shared through std::shared_ptr.

#include <iosfwd>
#include <memory>
#include <string>

#include "core/model/SnapshotCore.h"

namespace orlenza {

// The version of the snapshot records this system writes.
inline constexpr int kSnapshotRecordVersion = 3;

class Snapshot {
 public:
  Snapshot() = default;
  Snapshot(std::string const& name, SnapshotCore const& core) : m_name(name), m_core(core) {}
  virtual ~Snapshot() = default;
  Snapshot& operator=(Snapshot const&) = delete;

  // The kind contract. morphTowards answers clone() when other is null or of
  // another kind; otherwise a new snapshot of this kind with an empty name, the
  // given (already morphed) core and the parameters morphed by t.
  virtual std::shared_ptr<Snapshot> morphTowards(std::shared_ptr<Snapshot> const& other, double t,
                                                 SnapshotCore const& core) const = 0;
  // Compares the parameter blocks; other is of the same class.
  virtual bool isEqual_(Snapshot const& other) const = 0;
  virtual std::string getIdentifier() const = 0;
  // The parameter block, every token followed by one blank.
  virtual void outputParameters(std::ostream& os) const = 0;
  // Sets failbit on a bad or missing token.
  virtual void inputParameters(std::istream& is) = 0;
  // Same class, name, core (sharing its geometry), version and parameters.
  virtual std::shared_ptr<Snapshot> clone() const = 0;

  std::string const& getName() const { return m_name; }
  void setName(std::string name) { m_name = std::move(name); }
  SnapshotCore const& getCore() const { return m_core; }
  SnapshotCore& getCore() { return m_core; }
  void setCore(SnapshotCore const& core) { m_core = core; }
  // 0 for snapshots built in memory, the record's version for those read.
  int getVersion() const { return m_version; }
  void setVersion(int version) { m_version = version; }

  // Same class, equal cores and equal parameters; names are not compared.
  bool isEqual(Snapshot const& other) const;
  // Same class, computationally equal cores (view and geometry) and equal
  // parameters: the two yield the same raw field.
  bool isComputationallyEqual(Snapshot const& other) const;
  // The cores morphed by t, then the kind's morph. Towards another kind (or a
  // null other) the answer is a clone of this snapshot.
  std::shared_ptr<Snapshot> morphTowards(std::shared_ptr<Snapshot> const& other, double t) const;

 protected:
  Snapshot(Snapshot const&) = default;

 private:
  std::string m_name;
  SnapshotCore m_core;
  int m_version = 0;
};

// The record text: identifier, core, one further blank, parameter block, then
// the name as one word (whitespace written as "_", an empty name as "?").
std::ostream& operator<<(std::ostream& os, Snapshot const& snapshot);
// Reads core (for the snapshot's version), parameters and name ("_" back to
// blanks) of a record whose identifier has been read. On a bad record the
// stream fails, and the core and name stay as they were.
std::istream& operator>>(std::istream& is, Snapshot& snapshot);

// A whole record: the identifier word, a snapshot of that kind from the
// factory, then its text. An unregistered identifier or a bad record fails
// the stream and answers null, without throwing.
std::shared_ptr<Snapshot> readSnapshotRecord(std::istream& is, int version);

}  // namespace orlenza

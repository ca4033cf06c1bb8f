#pragma once
// The registry of snapshot kinds: identifier → creator of a default snapshot.
// Filled once at start-up by registerAllSnapshotKinds(); the first creator of
// an identifier stays.

#include <memory>
#include <string>
#include <vector>

#include "core/base/PlatformError.h"

namespace orlenza {

class Snapshot;

class SnapshotFactory {
 public:
  using Creator = std::shared_ptr<Snapshot> (*)();

  // Raised for an identifier that no kind has registered.
  class Exception : public PlatformError {
   public:
    Exception() : PlatformError(0) {}
    char const* what() const noexcept override { return "Snapshot factory exception"; }
  };

  // False, and nothing changes, when the identifier is taken or creator is null.
  static bool registerCreator(std::string const& identifier, Creator creator);
  // A new default snapshot of the kind with the given version; throws Exception
  // when the identifier is not registered.
  static std::shared_ptr<Snapshot> makeNewSnapshot(std::string const& identifier, int version);

  static bool isRegistered(std::string const& identifier);
  // Every registered identifier, in ascending order.
  static std::vector<std::string> registeredIdentifiers();
};

}  // namespace orlenza

#pragma once
// The built-in pictures, by category, read once on first use from the
// embedded snapshot files. Their stored names are string-table keys; the
// snapshots carry the localized texts.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Snapshot.h"

namespace orlenza {

class StandardSnapshots {
 public:
  using Map = std::map<std::string, std::vector<std::shared_ptr<Snapshot const>>>;

  // Category key → its snapshots, in file order. Built on the first call of
  // any accessor (registering the core's families first, so the snapshot
  // kinds are known). Callers copy a snapshot before they change it.
  static Map const& getSnapshots();
  // The category keys in the order the library is built: "EscParams",
  // "Halley", "Biomorph", "categ_phaseplane".
  static std::vector<std::string> const& getCategoryKeys();
  // The embedded file of a category ("Escape" for "EscParams"), empty for an unknown key.
  static std::string_view getResourceName(std::string_view category);

  // The number of snapshots of category, 0 for an unknown key.
  static int getNumSnapshots(std::string const& category);
  // A copy of the i-th snapshot of category. An unknown key answers the first
  // snapshot of the first category in key order. Throws std::out_of_range for
  // an index outside the category, or when the fallback category is empty.
  static std::shared_ptr<Snapshot> getSnapshot(std::string const& category, int i);
  // A copy of the i-th snapshot of category, or null for an unknown key or an
  // index outside the category: for callers that tell the user what is valid.
  static std::shared_ptr<Snapshot> findSnapshot(std::string const& category, int i);

  // The snapshots of the embedded file snaps/<name>.snaps, in file order,
  // each named by the localized text of its stored name; none when there is
  // no such file. Alerts about an invalid file go to the standard error
  // stream, and the records before the fault are kept.
  static std::vector<std::shared_ptr<Snapshot const>> readStandardSnapFile(std::string_view name);
};

}  // namespace orlenza

#pragma once
// The generator-independent settings of a snapshot: which part of the plane is
// shown (view, geometry) and how raw values become colours (two post-filters,
// the normalizer with norm, floor and ceiling, the gradation info).

#include <iosfwd>
#include <memory>
#include <string>

#include "core/geometry/Geometry.h"
#include "core/model/GradationInfo.h"
#include "core/model/View.h"

namespace orlenza {

class SnapshotCore {
 public:
  // Default view, a new default geometry, the default gradation info, no
  // post-filters, "norm_lin" with norm 256, floor 0, ceiling 1.
  SnapshotCore();
  // Stores the values as given (no clamping); a null geometry becomes a new
  // default geometry. The second post-filter is "pf_none" with 0; version 0.
  SnapshotCore(View const& view, std::shared_ptr<Geometry> geometry, GradationInfo const& gradationInfo,
               std::string postfilteringID, double postfilteringParam, std::string normalizerID, double norm,
               double floor, double ceiling);

  // The record version the core was read from; decides what reading expects.
  int getVersion() const { return m_version; }
  void setVersion(int version) { m_version = version; }

  View const& getView() const { return m_view; }
  View& getView() { return m_view; }
  void setView(View const& view) { m_view = view; }
  void offsetView(double dx, double dy);

  // Shared, never changed through the core: a computation works on a clone.
  std::shared_ptr<Geometry> const& getGeometry() const { return m_geometry; }
  // A null geometry becomes a new default geometry.
  void setGeometry(std::shared_ptr<Geometry> geometry);

  GradationInfo const& getGradationInfo() const { return m_gradationInfo; }
  GradationInfo& getGradationInfo() { return m_gradationInfo; }
  void setGradationInfo(GradationInfo const& info) { m_gradationInfo = info; }

  std::string const& getPostfilteringID() const { return m_postfilteringID; }
  void setPostfilteringID(std::string id) { m_postfilteringID = std::move(id); }
  double getPostfilteringParam() const { return m_postfilteringParam; }
  void setPostfilteringParam(double value) { m_postfilteringParam = value; }
  std::string const& getSecondPostfilteringID() const { return m_secondPostfilteringID; }
  void setSecondPostfilteringID(std::string id) { m_secondPostfilteringID = std::move(id); }
  double getSecondPostfilteringParam() const { return m_secondPostfilteringParam; }
  void setSecondPostfilteringParam(double value) { m_secondPostfilteringParam = value; }
  std::string const& getNormalizerID() const { return m_normalizerID; }
  void setNormalizerID(std::string id) { m_normalizerID = std::move(id); }

  double getNorm() const { return m_norm; }
  double getFloor() const { return m_floor; }
  double getCeiling() const { return m_ceiling; }
  // Norm stays above 1e-10: anything not a finite number above it (NaN, inf,
  // zero, negative, tiny) becomes 1.0.
  void setNorm(double value);
  // Into [0, 1]; NaN becomes 0.
  void setFloor(double value);
  // The floor if the floor is greater, else min(1, value); NaN becomes 1, the
  // unclamped top. Raising the floor later does not move the ceiling.
  void setCeiling(double value);

  // Same view and geometry: everything else acts after the raw field exists.
  bool isComputationallyEqual(SnapshotCore const& other) const;

  // Norm, floor, ceiling and post-filter parameters linear (unclamped),
  // gradation info, geometry and view morphed by their own rules; identifiers
  // this core's, version 0.
  SnapshotCore morphTowards(SnapshotCore const& other, double t) const;

  // Views, gradation infos, post-filters (parameters within 1e-10), normalizer,
  // geometries, norm within 1e-10, floor and ceiling within 1e-5. Not the version.
  friend bool operator==(SnapshotCore const& a, SnapshotCore const& b);

 private:
  int m_version = 0;
  View m_view;
  GradationInfo m_gradationInfo;
  std::string m_postfilteringID = "pf_none";
  double m_postfilteringParam = 0.0;
  std::string m_secondPostfilteringID = "pf_none";
  double m_secondPostfilteringParam = 0.0;
  std::string m_normalizerID = "norm_lin";
  double m_norm = 256.0;
  double m_floor = 0.0;
  double m_ceiling = 1.0;
  std::shared_ptr<Geometry> m_geometry;
};

// View, geometry block, gradation info, both post-filters, normalizer and norm,
// floor, ceiling; every token followed by one blank. The version is the record's.
std::ostream& operator<<(std::ostream& os, SnapshotCore const& core);
// Reads the form that the core's version says: records of version 2 and below
// have no geometry block and no second post-filter (those stay as they were).
// Norm, floor and ceiling go through the setters' clamps. All or nothing: on a
// bad token, an unknown geometry or a missing token the stream fails and the
// core is unchanged.
std::istream& operator>>(std::istream& is, SnapshotCore& core);

}  // namespace orlenza

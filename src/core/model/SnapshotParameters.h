#pragma once
// Parameter blocks that are a fixed-length list of doubles, and the tolerance
// with which every generator compares its parameters.

#include <iosfwd>

namespace orlenza {

// True when a and b differ by less than 1e-10. Equal values (the same infinity
// included) are equal; a NaN equals nothing.
bool paramsAreEqual(double a, double b);

class SnapshotParameters {
 public:
  virtual unsigned getNumParameters() const = 0;
  virtual double getParameter(unsigned long i) const = 0;
  virtual void setParameter(unsigned long i, double value) = 0;
  virtual ~SnapshotParameters() = default;

  // This block becomes (1 - t) a + t b, parameter by parameter. Only the indices
  // that all three blocks hold are set, so a shorter source is never read past its end.
  void morph(SnapshotParameters const& a, SnapshotParameters const& b, double t);

  // Every parameter in index order, each followed by one blank.
  void outputParameters(std::ostream& os) const;
  // Reads getNumParameters() doubles. All or nothing: on a bad or missing token
  // the stream fails and no parameter changes.
  void inputParameters(std::istream& is);

 protected:
  SnapshotParameters() = default;
  SnapshotParameters(SnapshotParameters const&) = default;
  SnapshotParameters& operator=(SnapshotParameters const&) = default;
};

// Same count and every pair within paramsAreEqual.
bool operator==(SnapshotParameters const& a, SnapshotParameters const& b);

}  // namespace orlenza

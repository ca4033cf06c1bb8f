#pragma once
// A transformation of the plane applied between the image and a generator: pixel
// generators map every sample point through getMappedCoords, orbit plotters map
// orbit points through getInverseCoords. Snapshot cores share one and never change
// it; a computation clones it and initialises the clone with its view.

#include "core/model/Coord2D.h"
#include "core/model/View.h"

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>

namespace orlenza {

// The pi and 2 pi of the geometry formulas, as stored pictures were computed with them.
inline constexpr double k_geomPi = 3.141592654;
inline constexpr double k_geomTwoPi = 6.283185308;

// |a - b| < 1e-10; a NaN difference is unequal.
bool geomParamsAreEqual(double a, double b);

class Geometry {
 public:
  virtual ~Geometry();

  // A new geometry between this one and other, which has this geometry's class.
  virtual std::shared_ptr<Geometry> morphTowardsSameClass(Geometry const& other, double t) const = 0;
  virtual std::string const& getIdentifier() const = 0;

  // Per-point mapping. Cheap and const: no allocation, safe to call from several
  // threads on one initialised geometry.
  virtual Coord2D getMappedCoords(Coord2D const& p) const = 0;
  // Whether getInverseCoords undoes getMappedCoords; false unless a class says so.
  virtual bool hasProperInverse() const;
  // The same as getMappedCoords unless a class has a proper inverse.
  virtual Coord2D getInverseCoords(Coord2D const& p) const;

  // A copy of every field (the default geometry answers a fresh default one).
  virtual std::shared_ptr<Geometry> clone() const = 0;

  // Row forms: one virtual call for count points; out may be the same array as in.
  // Bit-identical to calling the per-point forms one by one.
  virtual void mapPoints(Coord2D const* in, Coord2D* out, std::size_t count) const = 0;
  virtual void inversePoints(Coord2D const* in, Coord2D* out, std::size_t count) const = 0;

  // Computes the working centre and radius, the only values the formulas use:
  // a relative centre is placed by the view (with its angle negated), a relative
  // radius is a multiple of the view's size.
  void initWithView(View const& view);

  // Same class, same kinds, centre and radius within 1e-10, same own parameters.
  // Working values and version are not compared.
  bool isEqual(Geometry const& other) const;
  friend bool operator==(Geometry const& a, Geometry const& b) { return a.isEqual(b); }

  // morphTowardsSameClass when other has this class; otherwise a clone of this one.
  std::shared_ptr<Geometry> morphTowards(Geometry const& other, double t) const;

  // Text form: identifier, centerIsAbsolute, center.x, center.y, radiusIsAbsolute,
  // radius, then the class's own parameters; every token followed by a blank.
  void outputToStream(std::ostream& os) const;
  // Reads everything after the identifier (the reader of the enclosing record has
  // already read it to choose the class). On a bad token failbit is set and the
  // geometry may be partly read; callers discard it.
  void inputFromStream(std::istream& is);

  bool getCenterIsAbsolute() const { return m_centerIsAbsolute; }
  Coord2D const& getCenter() const { return m_center; }
  bool getRadiusIsAbsolute() const { return m_radiusIsAbsolute; }
  double getRadius() const { return m_radius; }
  int getVersion() const { return m_version; }
  void setCenterIsAbsolute(bool value) { m_centerIsAbsolute = value; }
  void setCenter(Coord2D const& value) { m_center = value; }
  void setRadiusIsAbsolute(bool value) { m_radiusIsAbsolute = value; }
  void setRadius(double value) { m_radius = value; }
  void setVersion(int value) { m_version = value; }

  // What initWithView computed: (0, 0) and 1 before it ran.
  Coord2D const& getWorkingCenter() const { return m_workingCenter; }
  double getWorkingRadius() const { return m_workingRadius; }

 protected:
  Geometry() = default;
  Geometry(Geometry const&) = default;
  Geometry& operator=(Geometry const&) = default;

  // Own parameters only; other has this geometry's class.
  virtual bool isEqual_(Geometry const& other) const = 0;
  virtual void outputParameters(std::ostream& os) const = 0;
  virtual void inputParameters(std::istream& is) = 0;

  // Centre and radius between from and to: linear where both have the same kind,
  // from's value otherwise. The kinds of this geometry stay as they are.
  void morphViewBetween(Geometry const& from, Geometry const& to, double t);

 private:
  bool m_centerIsAbsolute = false;
  Coord2D m_center;
  bool m_radiusIsAbsolute = false;
  double m_radius = 1.0;
  Coord2D m_workingCenter;
  double m_workingRadius = 1.0;
  int m_version = 0;
};

std::ostream& operator<<(std::ostream& os, Geometry const& geometry);
std::istream& operator>>(std::istream& is, Geometry& geometry);

// Clone and the row forms for a concrete class, which calls its own (final)
// mapping directly so the loop needs no virtual call per point.
template <class Derived>
class GeometryOf : public Geometry {
 public:
  std::shared_ptr<Geometry> clone() const override {
    return std::make_shared<Derived>(static_cast<Derived const&>(*this));
  }
  void mapPoints(Coord2D const* in, Coord2D* out, std::size_t count) const override {
    auto const& self = static_cast<Derived const&>(*this);
    for (std::size_t i = 0; i < count; ++i) out[i] = self.Derived::getMappedCoords(in[i]);
  }
  void inversePoints(Coord2D const* in, Coord2D* out, std::size_t count) const override {
    auto const& self = static_cast<Derived const&>(*this);
    for (std::size_t i = 0; i < count; ++i) out[i] = self.Derived::getInverseCoords(in[i]);
  }

 protected:
  static Derived const& sameClass(Geometry const& other) { return static_cast<Derived const&>(other); }
};

// A geometry with no parameters of its own beyond centre and radius.
template <class Derived>
class ParameterLessGeometry : public GeometryOf<Derived> {
 public:
  std::shared_ptr<Geometry> morphTowardsSameClass(Geometry const& other, double t) const override {
    auto result = std::make_shared<Derived>(static_cast<Derived const&>(*this));
    result->morphViewBetween(*this, other, t);
    return result;
  }

 protected:
  bool isEqual_(Geometry const&) const override { return true; }
  void outputParameters(std::ostream&) const override {}
  void inputParameters(std::istream&) override {}
};

}  // namespace orlenza

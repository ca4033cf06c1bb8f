#include "core/model/SnapshotCore.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "core/base/TextIO.h"
#include "core/geometry/DefaultGeometry.h"
#include "core/geometry/GeometryFactory.h"
#include "core/model/RecordWord.h"

namespace orlenza {

namespace {

std::shared_ptr<Geometry> orDefault(std::shared_ptr<Geometry> geometry) {
  if (geometry) return geometry;
  return std::make_shared<DefaultGeometry>();
}

// Equal values first: inf - inf is NaN, and a value must equal itself.
bool within(double a, double b, double tolerance) { return a == b || std::fabs(b - a) < tolerance; }

double lerp(double a, double b, double t) { return (1 - t) * a + t * b; }

}  // namespace

SnapshotCore::SnapshotCore() : m_geometry(std::make_shared<DefaultGeometry>()) {}

SnapshotCore::SnapshotCore(View const& view, std::shared_ptr<Geometry> geometry, GradationInfo const& gradationInfo,
                           std::string postfilteringID, double postfilteringParam, std::string normalizerID,
                           double norm, double floor, double ceiling)
    : m_view(view),
      m_gradationInfo(gradationInfo),
      m_postfilteringID(std::move(postfilteringID)),
      m_postfilteringParam(postfilteringParam),
      m_normalizerID(std::move(normalizerID)),
      m_norm(norm),
      m_floor(floor),
      m_ceiling(ceiling),
      m_geometry(orDefault(std::move(geometry))) {}

void SnapshotCore::offsetView(double dx, double dy) {
  m_view.setCenterX(m_view.getCenterX() + dx);
  m_view.setCenterY(m_view.getCenterY() + dy);
}

void SnapshotCore::setGeometry(std::shared_ptr<Geometry> geometry) { m_geometry = orDefault(std::move(geometry)); }

void SnapshotCore::setNorm(double value) {
  // Written so that NaN takes the fallback: every comparison with it is false.
  m_norm = (value > 1e-10 && std::isfinite(value)) ? value : 1.0;
}

void SnapshotCore::setFloor(double value) {
  if (!(value >= 0)) {
    m_floor = 0.0;  // negative or NaN
    return;
  }
  m_floor = value < 1.0 ? value : 1.0;
}

void SnapshotCore::setCeiling(double value) {
  if (std::isnan(value)) {
    m_ceiling = 1.0;
    return;
  }
  if (m_floor > value) {
    m_ceiling = m_floor;
    return;
  }
  m_ceiling = value < 1.0 ? value : 1.0;
}

bool SnapshotCore::isComputationallyEqual(SnapshotCore const& other) const {
  return m_view == other.m_view && m_geometry->isEqual(*other.m_geometry);
}

SnapshotCore SnapshotCore::morphTowards(SnapshotCore const& other, double t) const {
  SnapshotCore result(*this);
  result.m_version = 0;
  result.m_ceiling = lerp(m_ceiling, other.m_ceiling, t);
  result.m_floor = lerp(m_floor, other.m_floor, t);
  result.m_norm = lerp(m_norm, other.m_norm, t);
  result.m_postfilteringParam = lerp(m_postfilteringParam, other.m_postfilteringParam, t);
  result.m_secondPostfilteringParam = lerp(m_secondPostfilteringParam, other.m_secondPostfilteringParam, t);
  result.m_gradationInfo = m_gradationInfo.morphTowards(other.m_gradationInfo, t);
  result.m_geometry = orDefault(m_geometry->morphTowards(*other.m_geometry, t));
  result.m_view = m_view.morphTowards(other.m_view, t);
  return result;
}

bool operator==(SnapshotCore const& a, SnapshotCore const& b) {
  return a.m_view == b.m_view && a.m_gradationInfo == b.m_gradationInfo &&
         a.m_postfilteringID == b.m_postfilteringID && within(a.m_postfilteringParam, b.m_postfilteringParam, 1e-10) &&
         a.m_secondPostfilteringID == b.m_secondPostfilteringID &&
         within(a.m_secondPostfilteringParam, b.m_secondPostfilteringParam, 1e-10) &&
         a.m_normalizerID == b.m_normalizerID && a.m_geometry->isEqual(*b.m_geometry) &&
         within(a.m_norm, b.m_norm, 1e-10) && within(a.m_floor, b.m_floor, 1e-5) &&
         within(a.m_ceiling, b.m_ceiling, 1e-5);
}

std::ostream& operator<<(std::ostream& os, SnapshotCore const& core) {
  os << core.getView();
  os << *core.getGeometry();
  os << core.getGradationInfo();
  writeRecordWord(os, core.getPostfilteringID());
  text::writeDouble(os, core.getPostfilteringParam());
  writeRecordWord(os, core.getSecondPostfilteringID());
  text::writeDouble(os, core.getSecondPostfilteringParam());
  writeRecordWord(os, core.getNormalizerID());
  text::writeDouble(os, core.getNorm());
  text::writeDouble(os, core.getFloor());
  text::writeDouble(os, core.getCeiling());
  return os;
}

std::istream& operator>>(std::istream& is, SnapshotCore& core) {
  SnapshotCore read(core);
  bool const full = core.getVersion() > 2;

  View view;
  if (!(is >> view)) return is;
  read.setView(view);

  if (full) {
    // An unknown identifier fails the stream like any other bad token.
    std::shared_ptr<Geometry> geometry = GeometryFactory::readGeometry(is, core.getVersion());
    if (!geometry || !is) {
      is.setstate(std::ios::failbit);
      return is;
    }
    read.setGeometry(std::move(geometry));
  }

  GradationInfo info{Gradation(), 1.0, 0.0};
  if (!(is >> info)) return is;
  read.setGradationInfo(info);

  std::string id;
  double value = 0.0;
  text::readWord(is, id);
  text::readDouble(is, value);
  if (!is) return is;
  read.setPostfilteringID(id);
  read.setPostfilteringParam(value);

  if (full) {
    text::readWord(is, id);
    text::readDouble(is, value);
    if (!is) return is;
    read.setSecondPostfilteringID(id);
    read.setSecondPostfilteringParam(value);
  }

  double norm = 0.0, floor = 0.0, ceiling = 0.0;
  text::readWord(is, id);
  text::readDouble(is, norm);
  text::readDouble(is, floor);
  text::readDouble(is, ceiling);
  if (!is) return is;
  read.setNormalizerID(id);
  read.setNorm(norm);
  read.setFloor(floor);
  read.setCeiling(ceiling);

  core = std::move(read);
  return is;
}

}  // namespace orlenza

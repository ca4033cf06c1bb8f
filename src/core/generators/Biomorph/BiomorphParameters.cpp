#include "core/generators/Biomorph/BiomorphParameters.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>

#include "core/base/PlatformError.h"
#include "core/base/TextIO.h"
#include "core/model/RecordWord.h"

namespace orlenza {

namespace {

// A count token: any integer, or a double (truncated); "nan" fails.
std::istream& readCount(std::istream& is, int& count) {
  std::string token;
  if (!(is >> token)) return is;
  long long whole = 0;
  if (text::parseInt(token, whole)) {
    count = BiomorphParameters::clampIterations(whole);
    return is;
  }
  double value = 0;
  if (!text::parseDouble(token, value) || std::isnan(value)) {
    is.setstate(std::ios::failbit);
    return is;
  }
  count = BiomorphParameters::clampIterations(value, count);
  return is;
}

}  // namespace

double BiomorphParameters::clampBlend(double v) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, 0.0, 1.0);
}

int BiomorphParameters::clampIterations(long long v) {
  return static_cast<int>(std::clamp<long long>(v, kMinIterations, kMaxIterations));
}

int BiomorphParameters::clampIterations(double v, int fallback) {
  if (std::isnan(v)) return fallback;
  return static_cast<int>(std::clamp(std::trunc(v), double(kMinIterations), double(kMaxIterations)));
}

double BiomorphParameters::getParameter(unsigned long i) const {
  if (i <= kC5) return coefficients[i];
  switch (i) {
    case kSinWeight: return sinWeight;
    case kExpWeight: return expWeight;
    case kPowWeight: return powWeight;
    case kTheta: return m_theta;
    case kPhi: return m_phi;
    case kFixedRe: return fixedRe;
    case kFixedIm: return fixedIm;
    case kNumIter: return m_numIter;
    default: throw ORLENZA_PLATFORM_ERROR(0);
  }
}

void BiomorphParameters::setParameter(unsigned long i, double value) {
  if (i <= kC5) {
    coefficients[i] = value;
    return;
  }
  switch (i) {
    case kSinWeight: sinWeight = value; break;
    case kExpWeight: expWeight = value; break;
    case kPowWeight: powWeight = value; break;
    case kTheta: setTheta(value); break;
    case kPhi: setPhi(value); break;
    case kFixedRe: fixedRe = value; break;
    case kFixedIm: fixedIm = value; break;
    case kNumIter: m_numIter = clampIterations(value, m_numIter); break;
    default: throw ORLENZA_PLATFORM_ERROR(0);
  }
}

void BiomorphParameters::outputParameters(std::ostream& os) const {
  for (unsigned i = 0; i < kNumIter; ++i) text::writeDouble(os, getParameter(i));
  writeRecordWord(os, analyzerID);
  text::writeBool(os, biomorphTest);
  text::writeInt(os, m_numIter);
}

void BiomorphParameters::inputParameters(std::istream& is) {
  double values[kNumIter] = {};
  for (double& v : values) text::readDouble(is, v);
  std::string analyzer;
  bool test = false;
  int count = m_numIter;
  text::readWord(is, analyzer);
  text::readBool(is, test);
  readCount(is, count);
  if (!is) return;
  for (unsigned i = 0; i < kNumIter; ++i) setParameter(i, values[i]);
  analyzerID = std::move(analyzer);
  biomorphTest = test;
  m_numIter = count;
}

void BiomorphParameters::morph(BiomorphParameters const& a, BiomorphParameters const& b, double t) {
  *this = a;
  SnapshotParameters::morph(a, b, t);
}

bool operator==(BiomorphParameters const& a, BiomorphParameters const& b) {
  return static_cast<SnapshotParameters const&>(a) == static_cast<SnapshotParameters const&>(b) &&
         a.analyzerID == b.analyzerID && a.biomorphTest == b.biomorphTest && a.getNumIter() == b.getNumIter();
}

}  // namespace orlenza

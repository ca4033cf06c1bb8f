#include "core/generators/Halley/HalleyParameters.h"

#include <cmath>
#include <istream>
#include <limits>
#include <ostream>

#include "core/base/TextIO.h"
#include "core/model/RecordWord.h"
#include "core/model/SnapshotParameters.h"

namespace orlenza {

double HalleyParameters::clampLambda(double v) {
  // Without this a NaN would pass both comparisons and leave the range.
  if (std::isnan(v)) return 1.0;
  double const magnitude = std::fabs(v);
  if (magnitude < kMinLambda) return kMinLambda;
  return magnitude < kMaxLambda ? magnitude : kMaxLambda;
}

void HalleyParameters::setLambda(double v) { m_lambda = clampLambda(v); }

void HalleyParameters::outputParameters(std::ostream& os) const {
  for (double c : coefficients) text::writeDouble(os, c);
  text::writeDouble(os, m_lambda);
  text::writeInt(os, convergenceTest);
  writeRecordWord(os, analyzerID);
}

void HalleyParameters::inputParameters(std::istream& is) {
  HalleyParameters read;
  for (double& c : read.coefficients) text::readDouble(is, c);
  double lambda = read.m_lambda;
  text::readDouble(is, lambda);
  long long test = 0;
  text::readInt(is, test);
  text::readWord(is, read.analyzerID);
  if (!is) return;
  read.setLambda(lambda);
  constexpr long long kLow = std::numeric_limits<int>::min();
  constexpr long long kHigh = std::numeric_limits<int>::max();
  read.convergenceTest = static_cast<int>(test < kLow ? kLow : test > kHigh ? kHigh : test);
  *this = std::move(read);
}

void HalleyParameters::morph(HalleyParameters const& a, HalleyParameters const& b, double t) {
  for (std::size_t i = 0; i < kNumCoefficients; ++i)
    coefficients[i] = (1 - t) * a.coefficients[i] + t * b.coefficients[i];
  setLambda((1 - t) * a.m_lambda + t * b.m_lambda);
  convergenceTest = a.convergenceTest;
  analyzerID = a.analyzerID;
}

bool operator==(HalleyParameters const& a, HalleyParameters const& b) {
  for (std::size_t i = 0; i < HalleyParameters::kNumCoefficients; ++i)
    if (!paramsAreEqual(a.coefficients[i], b.coefficients[i])) return false;
  return a.getLambda() == b.getLambda() && a.convergenceTest == b.convergenceTest && a.analyzerID == b.analyzerID;
}

}  // namespace orlenza

#include "core/generators/EscapeTime/EscapeParameters.h"

#include "core/base/TextIO.h"
#include "core/model/RecordWord.h"
#include "core/model/SnapshotParameters.h"

#include <istream>
#include <ostream>

namespace orlenza {

void EscapeParameters::outputParameters(std::ostream& os) const {
  for (double c : coefficients) text::writeDouble(os, c);
  writeRecordWord(os, analyzerID);
}

void EscapeParameters::inputParameters(std::istream& is) {
  EscapeParameters read;
  for (double& c : read.coefficients) text::readDouble(is, c);
  text::readWord(is, read.analyzerID);
  if (is) *this = std::move(read);
}

void EscapeParameters::morph(EscapeParameters const& a, EscapeParameters const& b, double t) {
  for (std::size_t i = 0; i < kNumCoefficients; ++i)
    coefficients[i] = (1 - t) * a.coefficients[i] + t * b.coefficients[i];
  analyzerID = a.analyzerID;
}

bool operator==(EscapeParameters const& a, EscapeParameters const& b) {
  for (std::size_t i = 0; i < EscapeParameters::kNumCoefficients; ++i)
    if (!paramsAreEqual(a.coefficients[i], b.coefficients[i])) return false;
  return a.analyzerID == b.analyzerID;
}

}  // namespace orlenza

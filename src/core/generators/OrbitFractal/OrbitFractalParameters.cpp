#include "core/generators/OrbitFractal/OrbitFractalParameters.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <istream>
#include <ostream>
#include <stdexcept>

#include "core/base/TextIO.h"
#include "core/model/RecordWord.h"

namespace orlenza {

template <class Map>
OrbitFractalParameters<Map>::OrbitFractalParameters() {
  std::copy_n(Map::kDefaultParameters, kCount, m_values);
}

template <class Map>
double OrbitFractalParameters<Map>::getParameter(unsigned long i) const {
  if (i >= kCount) throw std::out_of_range(Map::kRangeError);
  return m_values[i];
}

template <class Map>
void OrbitFractalParameters<Map>::setParameter(unsigned long i, double value) {
  if (i >= kCount) throw std::out_of_range(Map::kRangeError);
  m_values[i] = value;
}

template <class Map>
int OrbitFractalParameters<Map>::clampIterations(long long count) {
  return static_cast<int>(std::clamp<long long>(count, kMinIterations, kMaxIterations));
}

template <class Map>
bool OrbitFractalParameters<Map>::iterationsFromNumber(double count, int* iterations) {
  if (std::isnan(count)) return false;
  *iterations = static_cast<int>(std::clamp(std::trunc(count), double(INT_MIN), double(INT_MAX)));
  return true;
}

template <class Map>
void OrbitFractalParameters<Map>::outputParameters(std::ostream& os) const {
  SnapshotParameters::outputParameters(os);
  text::writeInt(os, m_iterations);
  writeRecordWord(os, analyzerID);
}

template <class Map>
void OrbitFractalParameters<Map>::inputParameters(std::istream& is, bool withCountAndAnalyzer) {
  OrbitFractalParameters read;
  static_cast<SnapshotParameters&>(read).inputParameters(is);
  if (!is) return;
  if (withCountAndAnalyzer) {
    // A whole number, kept as it is; a count below 1 still gives each orbit its start.
    text::readInt(is, read.m_iterations);
    text::readWord(is, read.analyzerID);
    if (!is) return;
  }
  *this = std::move(read);
}

template <class Map>
void OrbitFractalParameters<Map>::morph(OrbitFractalParameters const& a, OrbitFractalParameters const& b, double t) {
  *this = OrbitFractalParameters();
  SnapshotParameters::morph(a, b, t);
  // In double: the weighted sum of two int counts cannot overflow.
  if (!iterationsFromNumber((1 - t) * a.m_iterations + t * b.m_iterations, &m_iterations))
    m_iterations = a.m_iterations;
}

template class OrbitFractalParameters<DynFractalMap>;
template class OrbitFractalParameters<GumFractalMap>;

}  // namespace orlenza

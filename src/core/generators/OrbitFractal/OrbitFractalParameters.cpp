#include "core/generators/OrbitFractal/OrbitFractalParameters.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>
#include <stdexcept>

#include "core/base/TextIO.h"
#include "core/model/RecordWord.h"

namespace orlenza {

namespace {

// A whole number too long for a double still has a sign.
bool isIntegerToken(std::string const& token, bool* negative) {
  std::size_t i = 0;
  if (!token.empty() && (token[0] == '+' || token[0] == '-')) i = 1;
  if (i == token.size()) return false;
  for (std::size_t k = i; k < token.size(); ++k)
    if (token[k] < '0' || token[k] > '9') return false;
  *negative = token[0] == '-';
  return true;
}

}  // namespace

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
  *iterations = static_cast<int>(std::clamp(std::trunc(count), double(kMinIterations), double(kMaxIterations)));
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
    std::string count;
    text::readWord(is, count);
    text::readWord(is, read.analyzerID);
    if (!is) return;
    double number = 0;
    bool negative = false;
    if (text::parseDouble(count, number)) {
      if (!iterationsFromNumber(number, &read.m_iterations)) {
        is.setstate(std::ios::failbit);
        return;
      }
    } else if (isIntegerToken(count, &negative)) {
      read.m_iterations = negative ? kMinIterations : kMaxIterations;
    } else {
      is.setstate(std::ios::failbit);
      return;
    }
  }
  *this = std::move(read);
}

template <class Map>
void OrbitFractalParameters<Map>::morph(OrbitFractalParameters const& a, OrbitFractalParameters const& b, double t) {
  *this = OrbitFractalParameters();
  SnapshotParameters::morph(a, b, t);
  // In double: the weighted sum of two int counts cannot overflow.
  if (!iterationsFromNumber((1 - t) * a.m_iterations + t * b.m_iterations, &m_iterations))
    m_iterations = clampIterations(a.m_iterations);
}

template class OrbitFractalParameters<DynFractalMap>;
template class OrbitFractalParameters<GumFractalMap>;

}  // namespace orlenza

#include "core/generators/Halley/HalleyIteration.h"

namespace orlenza {

HalleyIteration::HalleyIteration(HalleyParameters const& parameters)
    : m_p(parameters.coefficients), m_lambda(parameters.getLambda()), m_test(parameters.convergenceTest) {
  for (std::size_t k = 0; k < m_first.size(); ++k) m_first[k] = double(k + 1) * m_p[k + 1];
  for (std::size_t k = 0; k < m_second.size(); ++k) m_second[k] = double(k + 1) * double(k + 2) * m_p[k + 2];
}

}  // namespace orlenza

#include "core/engine/Normalizer.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace orlenza {

namespace normalizers {

double linear(double v, double n) { return v / n; }

// For n > 1 the value and the norm are taken as 32-bit integers, then as their
// low 16 bits, and the remainder keeps the dividend's sign, so dwell-like values
// repeat their colours every trunc(n) units. Values that no 32-bit integer
// holds (NaN included) and norms whose 16-bit modulus is 0 answer 0 rather than
// converting out of range or dividing by zero.
double modulo(double v, double n) {
  if (!(n > 1)) return 1;
  constexpr double kLow = static_cast<double>(std::numeric_limits<std::int32_t>::min());
  constexpr double kHigh = static_cast<double>(std::numeric_limits<std::int32_t>::max());
  double const vt = std::trunc(v);
  double const nt = std::trunc(n);
  if (!(vt >= kLow && vt <= kHigh) || !(nt <= kHigh)) return 0;
  auto const v16 = static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::int32_t>(vt) & 0xFFFF));
  auto const n16 = static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::int32_t>(nt) & 0xFFFF));
  if (n16 == 0) return 0;
  int const r = static_cast<int>(v16) % static_cast<int>(n16);
  return r / (n - 1);
}

double logarithmic(double v, double n) { return std::log(v / n + 1) / std::log(2.0); }
double squareRoot(double v, double n) { return std::sqrt(v / n); }
double sine(double v, double n) { return (std::sin((v / n - 0.25) * 6.283185308) + 1) * 0.5; }
double exponential(double v, double n) { return 1 - std::exp(-v / n); }

double fuzz(double v, double n) {
  double const s = std::sqrt(std::fabs(n * v));
  return s - std::trunc(s);
}

double arctangent(double v, double n) {
  if (v == 0) return 0;
  return 1 - 2 * std::fabs(std::atan(n / v)) / 3.141592654;
}

double inverse(double v, double n) {
  if (n < 1e-9) return 1 / (v / 1 + 1);
  return 1 / (v / n + 1);
}

}  // namespace normalizers

namespace {

template <NormalizeFunction Function>
class FunctionNormalizer final : public Normalizer {
 public:
  explicit FunctionNormalizer(char const* identifier) : Normalizer(identifier) {}
  double normalize(double v, double n) const override { return Function(v, n); }
  // The same function, called directly so the compiler can inline it.
  void normalizeRow(double const* in, double* out, std::size_t count, double n) const override {
    for (std::size_t i = 0; i < count; ++i) out[i] = Function(in[i], n);
  }
  NormalizeFunction function() const override { return Function; }
};

using DefaultNormalizer = FunctionNormalizer<normalizers::linear>;

DefaultNormalizer const& defaultNormalizer() {
  static DefaultNormalizer const sInstance(k_idDefaultNormalizer);
  return sInstance;
}

}  // namespace

void Normalizer::normalizeRow(double const* in, double* out, std::size_t count, double n) const {
  for (std::size_t i = 0; i < count; ++i) out[i] = normalize(in[i], n);
}

Normalizer const& Normalizer::getNormalizerFromID(std::string const& identifier) {
  if (auto const* found = getInstanceFromID(identifier)) return *found;
  return defaultNormalizer();
}

void registerAllNormalizers() {
  defaultNormalizer();
  static FunctionNormalizer<normalizers::modulo> const modulo("norm_modulo");
  static FunctionNormalizer<normalizers::logarithmic> const logarithmic("norm_log");
  static FunctionNormalizer<normalizers::squareRoot> const squareRoot("norm_sqrt");
  static FunctionNormalizer<normalizers::sine> const sine("norm_sin");
  static FunctionNormalizer<normalizers::exponential> const exponential("norm_exp");
  static FunctionNormalizer<normalizers::fuzz> const fuzz("norm_fuzz");
  static FunctionNormalizer<normalizers::arctangent> const arctangent("norm_arctan");
  static FunctionNormalizer<normalizers::inverse> const inverse("norm_inverse");
}

std::vector<std::string> const& normalizerIdentifiersInMenuOrder() {
  static std::vector<std::string> const order = {"norm_arctan", "norm_exp",     "norm_lin",
                                                 "norm_log",    "norm_sqrt",    "norm_inverse",
                                                 "norm_sin",    "norm_modulo",  "norm_fuzz"};
  return order;
}

std::vector<Normalizer const*> const& NormalizerController::getNormalizers() {
  static std::vector<Normalizer const*> const normalizers = [] {
    registerAllNormalizers();
    std::vector<Normalizer const*> list;
    for (std::string const& id : normalizerIdentifiersInMenuOrder()) list.push_back(&Normalizer::getNormalizerFromID(id));
    return list;
  }();
  return normalizers;
}

}  // namespace orlenza

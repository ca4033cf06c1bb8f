#pragma once
// Normalizers map a post-filtered raw value v and the snapshot's norm n to the
// colour axis (meant to fall in [0, 1]; the drawing's clamp does the rest).

#include <cstddef>
#include <string>
#include <vector>

#include "core/engine/NamedInstances.h"

namespace orlenza {

// The per-sample form of a normalizer, for loops that want no virtual call.
using NormalizeFunction = double (*)(double v, double n);

class Normalizer : public NamedInstances<Normalizer> {
 public:
  using NamedInstances<Normalizer>::NamedInstances;

  virtual double normalize(double v, double n) const = 0;

  // out[i] = normalize(in[i], n) for i < count, bit for bit; in and out may be
  // the same buffer. One virtual call per row instead of one per sample.
  virtual void normalizeRow(double const* in, double* out, std::size_t count, double n) const;

  // The plain function behind normalize, or null for a normalizer that is
  // not one of the nine (callers then use normalize).
  virtual NormalizeFunction function() const { return nullptr; }

  // The normalizer registered under identifier, or "norm_lin"; never fails.
  static Normalizer const& getNormalizerFromID(std::string const& identifier);
};

inline constexpr char const* k_idDefaultNormalizer = "norm_lin";

// The nine normalizers as plain functions, so each can be checked on its own.
namespace normalizers {
double linear(double v, double n);
double modulo(double v, double n);
double logarithmic(double v, double n);
double squareRoot(double v, double n);
double sine(double v, double n);
double exponential(double v, double n);
double fuzz(double v, double n);
double arctangent(double v, double n);
double inverse(double v, double n);
}  // namespace normalizers

// Makes the nine singletons (and so registers them); called once at start-up.
void registerAllNormalizers();

// The identifiers in the order of the normalizer pop-up; item i + 1 is identifier i.
std::vector<std::string> const& normalizerIdentifiersInMenuOrder();

// The list side of the registry.
class NormalizerController {
 public:
  // The nine normalizers in pop-up order (registering them if need be);
  // element i is menu item i + 1, and the controls keep the index.
  static std::vector<Normalizer const*> const& getNormalizers();
};

}  // namespace orlenza

#pragma once
// Orbit analyzers reduce the orbit of one starting point to the pixel's raw
// value. They are stateless singletons, registered by identifier ("OA_...").

#include <string>
#include <vector>

#include "core/engine/NamedInstances.h"
#include "core/engine/Orbit.h"

namespace orlenza {

class OrbitAnalyzer : public NamedInstances<OrbitAnalyzer> {
 public:
  using NamedInstances<OrbitAnalyzer>::NamedInstances;

  // Reads the orbit only; defined for every orbit, empty ones included.
  virtual double extract(Orbit const& orbit) const = 0;

  // The analyzer registered under identifier, or null (callers choose their
  // own fallback: dwell or distance).
  static OrbitAnalyzer const* getAnalyzerFromID(std::string const& identifier);
};

inline constexpr char const* k_idDwellAnalyzer = "OA_Dwell";
inline constexpr char const* k_idDistanceAnalyzer = "OA_Distance";

// The twelve analyzers. Each class has one instance, made by instance() on
// first use (registerAllOrbitAnalyzers makes them all at start-up).
class OrbitAnalyzerDwell final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerDwell const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerDwell();
};

class OrbitAnalyzerDistance final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerDistance const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerDistance();
};

class OrbitAnalyzerLength final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerLength const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerLength();
};

class OrbitAnalyzerGravity final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerGravity const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerGravity();
};

class OrbitAnalyzerCloseness final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerCloseness const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerCloseness();
};

class OrbitAnalyzerAngle final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerAngle const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerAngle();
};

class OrbitAnalyzerHarmonic final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerHarmonic const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerHarmonic();
};

class OrbitAnalyzerReal final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerReal const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerReal();
};

class OrbitAnalyzerImag final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerImag const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerImag();
};

class OrbitAnalyzerPotential final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerPotential const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerPotential();
};

class OrbitAnalyzerMinDistance final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerMinDistance const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerMinDistance();
};

class OrbitAnalyzerCrossTrap final : public OrbitAnalyzer {
 public:
  static OrbitAnalyzerCrossTrap const& instance();
  double extract(Orbit const& orbit) const override;

 private:
  OrbitAnalyzerCrossTrap();
};

// The list side of the registry.
class OrbitAnalyzerController {
 public:
  // The twelve analyzers in menu order (dwell first, cross trap last); menu
  // item i + 1 is element i.
  static std::vector<OrbitAnalyzer const*> const& getAnalyzers();
  // The identifier of one analyzer of the list, drawn with RandomUtils::intRnd.
  static std::string getRandomAnalyzerIdentifier();
};

// Makes the twelve singletons (and so registers them); called once at start-up.
void registerAllOrbitAnalyzers();

}  // namespace orlenza

#pragma once
// The seven planar maps whose attractors the dynamical-system generators plot,
// one small struct per member: the map kernel as a pure inline function, and
// everything else the member changes (start point, views, default picture,
// random ranges, the unit its pane shows the iteration count in). The
// snapshot kind, computator and pane templates read nothing else.

#include <array>
#include <cmath>
#include <string_view>

namespace orlenza {

namespace dynsys {

// s(x): -1 below zero, +1 otherwise (zero included).
inline double sign(double x) { return x < 0 ? -1.0 : 1.0; }

// Centre, size and angle of a view; members show no flips.
struct ViewValues {
  double centerX;
  double centerY;
  double size;
  double angle;
};

// The default picture of a member's pane.
template <int N>
struct DefaultPicture {
  std::array<double, N> parameters;
  int numIterations;
  ViewValues view;
  std::string_view normalizerID;
  double norm;
  bool whiteToBlack;  // false: black to white
};

inline constexpr int kPaneUnitMillions = 1000000;
inline constexpr int kPaneUnitThousands = 1000;

}  // namespace dynsys

struct DSSqrtSystem {
  static constexpr std::string_view kIdentifier = "DynSys-Sqrt";
  static constexpr int kNumParams = 3;
  static constexpr double kStartX = 0.01, kStartY = 0.01;
  static constexpr dynsys::ViewValues kDefaultView{0, 0.6, 2, 0};
  static constexpr dynsys::DefaultPicture<kNumParams> kDefaultPicture{
      {1, 2, 1}, 1000000, {-0.11719, 0.64453, 1.81641, 0}, "norm_sqrt", 64, false};
  static constexpr int kIterationMultiplier = dynsys::kPaneUnitMillions;
  static constexpr double minRandom(int i) { return i < 2 ? 1 : -5; }
  static constexpr double maxRandom(int) { return 5; }

  static void iterate(double const* p, double x, double y, double* nx, double* ny) {
    *nx = std::sin(std::sqrt(std::fabs(p[0] * x))) - y;
    *ny = std::sqrt(std::fabs(y)) - std::cos(p[1] * x + p[2]);
  }
};

struct DSSinCosSystem {
  static constexpr std::string_view kIdentifier = "DynSys-SinCos";
  static constexpr int kNumParams = 4;
  static constexpr double kStartX = 0.01, kStartY = 0.01;
  static constexpr dynsys::ViewValues kDefaultView{0, 0, 2.2, 0};
  static constexpr dynsys::DefaultPicture<kNumParams> kDefaultPicture{
      {1.9183349609, 2.2099304199, 2.9627990723, -2.6840209961}, 1000000, {0, 0, 2.2, 0}, "norm_sqrt", 64, false};
  static constexpr int kIterationMultiplier = dynsys::kPaneUnitMillions;
  static constexpr double minRandom(int) { return -5; }
  static constexpr double maxRandom(int) { return 5; }

  static void iterate(double const* p, double x, double y, double* nx, double* ny) {
    *nx = std::sin(p[0] * y) - std::cos(p[1] * x);
    *ny = std::sin(p[2] * x) - std::cos(p[3] * y);
  }
};

struct DSSinSinSystem {
  static constexpr std::string_view kIdentifier = "DynSys-SinSin";
  static constexpr int kNumParams = 6;
  static constexpr double kStartX = 0.01, kStartY = 0.01;
  static constexpr dynsys::ViewValues kDefaultView{0.5, 0.5, 2.8, 0};
  static constexpr dynsys::DefaultPicture<kNumParams> kDefaultPicture{
      {2, 2, 3, -2.5, -1, 1}, 1000000, {0.4, 1.0, 2.5, 0}, "norm_sqrt", 64, false};
  static constexpr int kIterationMultiplier = dynsys::kPaneUnitMillions;
  static constexpr double minRandom(int) { return -5; }
  static constexpr double maxRandom(int) { return 5; }

  static void iterate(double const* p, double x, double y, double* nx, double* ny) {
    double const cubedX = std::sin(p[2] * x), squaredX = std::sin(p[1] * x);
    double const cubedY = std::sin(p[5] * y), squaredY = std::sin(p[4] * y);
    *nx = cubedX * cubedX * cubedX + std::sin(p[0] * y) + squaredX * squaredX;
    *ny = cubedY * cubedY * cubedY + std::sin(p[3] * x) + squaredY * squaredY;
  }
};

// The sine-sine map with the arguments of the squared sines crossed over.
struct DSSin23System {
  static constexpr std::string_view kIdentifier = "DynSys-Sin23";
  static constexpr int kNumParams = 6;
  static constexpr double kStartX = 0.01, kStartY = 0.01;
  static constexpr dynsys::ViewValues kDefaultView{0.5, 0.5, 2.8, 0};
  static constexpr dynsys::DefaultPicture<kNumParams> kDefaultPicture{
      {2, 2, 3, -2.5, -1, 1}, 1000000, {0.6, 0.7, 2.5, 0}, "norm_sqrt", 64, false};
  static constexpr int kIterationMultiplier = dynsys::kPaneUnitMillions;
  static constexpr double minRandom(int) { return -5; }
  static constexpr double maxRandom(int) { return 5; }

  static void iterate(double const* p, double x, double y, double* nx, double* ny) {
    double const cubedX = std::sin(p[2] * x), squaredY = std::sin(p[1] * y);
    double const cubedY = std::sin(p[5] * y), squaredX = std::sin(p[4] * x);
    *nx = cubedX * cubedX * cubedX + std::sin(p[0] * y) + squaredY * squaredY;
    *ny = cubedY * cubedY * cubedY + std::sin(p[3] * x) + squaredX * squaredX;
  }
};

struct DSSinXYSystem {
  static constexpr std::string_view kIdentifier = "DynSys-SinXY";
  static constexpr int kNumParams = 6;
  static constexpr double kStartX = 0.01, kStartY = 0.01;
  static constexpr dynsys::ViewValues kDefaultView{0.5, 0.5, 2.8, 0};
  static constexpr dynsys::DefaultPicture<kNumParams> kDefaultPicture{
      {4, 2, 1, 3, 5, 4}, 1000000, {0, 0, 3.1, 0}, "norm_lin", 128, true};
  static constexpr int kIterationMultiplier = dynsys::kPaneUnitMillions;
  static constexpr double minRandom(int) { return -5; }
  static constexpr double maxRandom(int) { return 5; }

  static void iterate(double const* p, double x, double y, double* nx, double* ny) {
    double const squaredY = std::sin(p[2] * y), squaredX = std::cos(p[5] * x);
    *nx = std::sin(p[1] * x) + std::cos(p[0] * x * y) + squaredY * squaredY;
    *ny = std::cos(p[4] * y) + std::cos(p[3] * x * y) + squaredX * squaredX;
  }
};

struct DSHopSystem {
  static constexpr std::string_view kIdentifier = "DynSys-Hopalong";
  static constexpr int kNumParams = 3;
  static constexpr double kStartX = 0, kStartY = 0;
  static constexpr dynsys::ViewValues kDefaultView{0, 0, 25, -45};
  static constexpr dynsys::DefaultPicture<kNumParams> kDefaultPicture{
      {0.4, 1, 0}, 1000000, {-0.00826, 0.358, 4.25, -45}, "norm_lin", 128, true};
  static constexpr int kIterationMultiplier = dynsys::kPaneUnitThousands;
  static constexpr double minRandom(int) { return -5; }
  static constexpr double maxRandom(int) { return 5; }

  static void iterate(double const* p, double x, double y, double* nx, double* ny) {
    *nx = y - dynsys::sign(x) * std::sqrt(std::fabs(p[1] * x + p[2]));
    *ny = p[0] - x;
  }
};

// The one member whose y' reads the new x'.
struct DSGumowskiSystem {
  static constexpr std::string_view kIdentifier = "DynSys-Gumowski";
  static constexpr int kNumParams = 3;
  static constexpr double kStartX = 1.01, kStartY = 1.01;
  static constexpr dynsys::ViewValues kDefaultView{0, 0, 10, 0};
  static constexpr dynsys::DefaultPicture<kNumParams> kDefaultPicture{
      {0.001, -0.8, 0.05}, 500000, {2.5, 0, 25, 0}, "norm_log", 82, true};
  static constexpr int kIterationMultiplier = dynsys::kPaneUnitThousands;
  static constexpr double minRandom(int) { return -5; }
  static constexpr double maxRandom(int) { return 5; }

  static double f(double p1, double w) { return p1 * w + 2 * (1 - p1) * w * w / (1 + w * w); }

  static void iterate(double const* p, double x, double y, double* nx, double* ny) {
    double const u = x + dynsys::sign(x) * p[2];
    double const newX = y + p[0] * y * (1 - 0.05 * y * y) + f(p[1], u);
    *nx = newX;
    *ny = f(p[1], newX) - u;
  }
};

}  // namespace orlenza

#include "core/generators/OrbitFractal/SnapshotOrbitFractal.h"

#include "core/model/Gradation.h"
#include "core/model/GradationInfo.h"
#include "core/model/RGBColor.h"

namespace orlenza {

void setUpOrbitFractalCore(SnapshotCore& core, orbitfractal::ViewValues const& view, double norm) {
  core.setView(View(view.centerX, view.centerY, view.size, view.angle, false, false));
  core.setNorm(norm);
  constexpr RGBColor kPurple{65535, 0, 65535};
  RGBColor const bands[] = {k_RGBblack, k_RGBred,  k_RGBblack, k_RGByellow, k_RGBblack, k_RGBgreen,
                            k_RGBblack, k_RGBblue, k_RGBblack, kPurple,     k_RGBblack};
  Gradation gradation;
  for (int k = 0; k <= 10; ++k) gradation.setColor(KeyframePosition::fromSteps(k * 1000), bands[k]);  // exact tenths
  core.setGradationInfo(GradationInfo(gradation, 1, 0));
}

std::shared_ptr<Snapshot> MakeNewSnapshotDynFractal() { return SnapshotDynFractal::makeNew(); }
std::shared_ptr<Snapshot> MakeNewSnapshotGumFractal() { return SnapshotGumFractal::makeNew(); }

}  // namespace orlenza

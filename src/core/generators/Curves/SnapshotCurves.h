#pragma once
// The snapshot kind of the curves generator, "Curves": the kind made from
// CurvesParameters alone.

#include <memory>

#include "core/generators/Curves/CurvesParameters.h"
#include "core/model/SnapshotKind.h"

namespace orlenza {

using SnapshotCurves = ParameterizedSnapshot<CurvesParameters>;

// The creator: default core, default parameters, empty name.
std::shared_ptr<Snapshot> MakeNewSnapshotCurves();

}  // namespace orlenza

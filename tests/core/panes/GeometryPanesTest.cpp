#include "core/panes/GeometryPanes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/geometry/GeometryNfold.h"
#include "core/geometry/GeometrySphere.h"
#include "core/geometry/GeometrySquared.h"
#include "core/geometry/GeometrySwirl.h"
#include "core/model/SnapshotCore.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {
namespace {

TEST(GeometryPanes, FieldsShowAGeometryAndMakeItBack) {
  GeomNFoldPane pane;
  GeometryNfold shown(7, false, -22.5);
  shown.setCenterIsAbsolute(true);
  shown.setCenter({1.0 / 3.0, -1e-300});
  shown.setRadius(2.5);
  pane.updateFromGeometry(shown);
  std::vector<std::string> const texts = {"1", "0.3333333333", "-1e-300", "0", "2.5", "7", "0", "-22.5"};
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(pane.fieldText(i), texts[i]) << i;

  auto made = std::dynamic_pointer_cast<GeometryNfold>(pane.makeGeometry());
  ASSERT_TRUE(made);
  GeometryNfold tenDigits = shown;
  tenDigits.setCenter({0.3333333333, -1e-300});
  EXPECT_TRUE(made->isEqual(tenDigits));
  EXPECT_DOUBLE_EQ(made->getCenter().x, 0.3333333333);  // ten digits, not the full value

  // Typed folds outside the unsigned range are clamped, never wrapped.
  struct FoldCase {
    char const* text;
    unsigned expected;
  } const folds[] = {{"-3", 0}, {"4294967296", 4294967295u}, {"5.9", 5}, {"nan", 0}};
  for (auto const& c : folds) {
    pane.setFieldText(GeomNFoldPane::kFolds, c.text);
    auto g = std::dynamic_pointer_cast<GeometryNfold>(pane.makeGeometry());
    EXPECT_EQ(g->getFolds(), c.expected) << c.text;
  }

  // A geometry of another class shows its centre and radius only.
  pane.setFieldText(GeomNFoldPane::kFolds, "9");
  GeometrySwirl swirl;
  pane.updateFromGeometry(swirl);
  EXPECT_EQ(pane.fieldText(GeometryPane::kCenterIsAbsolute), "0");
  EXPECT_EQ(pane.fieldText(GeometryPane::kRadius), "1");
  EXPECT_EQ(pane.fieldText(GeomNFoldPane::kFolds), "9");
}

TEST(GeometryPanes, OwnParametersOfEachClass) {
  GeomSpherePane sphere;
  sphere.updateFromGeometry(GeometrySphere(-3.25, false));
  EXPECT_EQ(sphere.fieldText(GeometryPane::kRadius), "0.5");
  EXPECT_EQ(sphere.fieldText(GeomSpherePane::kKeepInside), "0");
  sphere.setFieldText(GeomSpherePane::kKeepInside, "1");
  EXPECT_TRUE(sphere.makeGeometry()->isEqual(GeometrySphere(-3.25, true)));

  GeomSquaredPane squared;
  struct PowerCase {
    char const* text;
    int expected;
  } const powers[] = {{"-4", -4}, {"2147483648", 2147483647}, {"-1e20", -2147483647 - 1}, {"", 0}};
  for (auto const& c : powers) {
    squared.setFieldText(GeomSquaredPane::kPower, c.text);
    auto g = std::dynamic_pointer_cast<GeometrySquared>(squared.makeGeometry());
    ASSERT_TRUE(g);
    EXPECT_EQ(g->getPower(), c.expected) << c.text;
  }

  GeomSwirlPane swirlPane;
  GeometrySwirl swirl;
  swirl.setTwist(0.125);
  swirl.setExponent(-1e300);
  swirlPane.updateFromGeometry(swirl);
  EXPECT_EQ(swirlPane.fieldText(GeomSwirlPane::kTwist), "0.125");
  EXPECT_EQ(swirlPane.fieldText(GeomSwirlPane::kExponent), "-1e+300");
  // The core takes the pane's geometry.
  SnapshotCore core;
  swirlPane.updateToGeometry(core);
  EXPECT_TRUE(core.getGeometry()->isEqual(swirl));
}

}  // namespace
}  // namespace orlenza

#include "core/generators/Perlin/ParameterPanePerlin.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/PlatformError.h"
#include "core/base/RandomUtils.h"
#include "core/generators/Perlin/SnapshotPerlin.h"
#include "core/model/Gradation.h"
#include "core/model/GradationInfo.h"
#include "core/panes/ParameterPaneFactory.h"

namespace orlenza {

namespace {

using Pane = ParameterPanePerlin;

// Menu item i stands for combination i, and for shaping i.
std::vector<std::string> const& combinationItems() {
  static std::vector<std::string> const items = {"perlincomb_A", "perlincomb_AplusB", "perlincomb_AplusBplusC",
                                                 "perlincomb_AtimesB", "perlincomb_AtimesBplusC"};
  return items;
}

std::vector<std::string> const& shapingItems() {
  static std::vector<std::string> const items = {"perlinshape_half", "perlinshape_abs", "perlinshape_positive"};
  return items;
}

// The item a stored value shows as: its own when the menu has it, else the first.
std::size_t itemOf(int value, std::vector<std::string> const& items) {
  return value >= 0 && static_cast<std::size_t>(value) < items.size() ? static_cast<std::size_t>(value) : 0;
}

// The stored value unless the user chose another item than the one it shows as.
int chosenValue(std::string const& text, std::vector<std::string> const& items, int stored) {
  auto const found = std::find(items.begin(), items.end(), text);
  if (found == items.end()) return stored;
  auto const chosen = static_cast<std::size_t>(found - items.begin());
  return chosen == itemOf(stored, items) ? stored : static_cast<int>(chosen);
}

PaneField octavesField(std::string_view label, int lock) {
  return {.labelKey = label,
          .kind = FieldKind::Integer,
          .lockIndex = lock,
          .minimum = PerlinParameters::kMinOctaves,
          .maximum = PerlinParameters::kMaxOctaves};
}

PaneField persistenceField(std::string_view label, int lock) {
  return {.labelKey = label, .kind = FieldKind::Double, .lockIndex = lock, .digits = 6, .minimum = 0, .maximum = 1};
}

PaneField doubleField(std::string_view label, int lock) {
  return {.labelKey = label, .kind = FieldKind::Double, .lockIndex = lock, .digits = 6};
}

int lockOf(Pane::Field field) { return Pane::kFirstLock + static_cast<int>(field); }

std::vector<PaneField> perlinFields() {
  return {
      octavesField("lbl_perlin_octavesA", lockOf(Pane::kOctavesAField)),
      persistenceField("lbl_perlin_persistenceA", lockOf(Pane::kPersistenceAField)),
      doubleField("lbl_perlin_scaleB", lockOf(Pane::kScaleBField)),
      octavesField("lbl_perlin_octavesB", lockOf(Pane::kOctavesBField)),
      persistenceField("lbl_perlin_persistenceB", lockOf(Pane::kPersistenceBField)),
      doubleField("lbl_perlin_scaleC", lockOf(Pane::kScaleCField)),
      octavesField("lbl_perlin_octavesC", lockOf(Pane::kOctavesCField)),
      persistenceField("lbl_perlin_persistenceC", lockOf(Pane::kPersistenceCField)),
      // No range: the amplitude's sign is dropped, not clamped away.
      doubleField("lbl_perlin_amplitude", lockOf(Pane::kAmplitudeField)),
      {.labelKey = "lbl_perlin_combination",
       .kind = FieldKind::Choice,
       .lockIndex = Pane::kCombinationLock,
       .choices = combinationItems(),
       .undoKey = "undo_menu"},
      {.labelKey = "lbl_perlin_shaping",
       .kind = FieldKind::Choice,
       .lockIndex = Pane::kShapingLock,
       .choices = shapingItems(),
       .undoKey = "undo_menu"},
  };
}

SnapshotPerlin const& perlinSnapshot(Snapshot const* snapshot) {
  auto const* perlin = dynamic_cast<SnapshotPerlin const*>(snapshot);
  if (!perlin) throw ORLENZA_PLATFORM_ERROR(0);
  return *perlin;
}

int toInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::unique_ptr<AbstractParameterPane> createPane() { return std::make_unique<ParameterPanePerlin>(); }

}  // namespace

ParameterPanePerlin::ParameterPanePerlin() : ParameterPane(perlinFields()) {}

bool ParameterPanePerlin::registerCreator() {
  return ParameterPaneFactory::registerCreator(std::string(k_idPerlin), &createPane);
}

void ParameterPanePerlin::updateFromSnapshot(Snapshot const& snapshot) {
  PerlinParameters const& p = perlinSnapshot(&snapshot).getParameters();
  setIntegerField(kOctavesAField, p.octavesA);
  setDoubleField(kPersistenceAField, p.persistenceA);
  setDoubleField(kScaleBField, p.scaleB);
  setIntegerField(kOctavesBField, p.octavesB);
  setDoubleField(kPersistenceBField, p.persistenceB);
  setDoubleField(kScaleCField, p.scaleC);
  setIntegerField(kOctavesCField, p.octavesC);
  setDoubleField(kPersistenceCField, p.persistenceC);
  setDoubleField(kAmplitudeField, p.amplitude);
  setFieldText(kCombinationField, combinationItems()[itemOf(p.combination, combinationItems())]);
  setFieldText(kShapingField, shapingItems()[itemOf(p.shaping, shapingItems())]);
}

void ParameterPanePerlin::updateToSnapshot(Snapshot& snapshot) const {
  auto* perlin = dynamic_cast<SnapshotPerlin*>(&snapshot);
  if (!perlin) throw ORLENZA_PLATFORM_ERROR(0);
  PerlinParameters& p = perlin->getParameters();
  p.octavesA = toInt(integerFieldValue(kOctavesAField));
  p.persistenceA = doubleFieldValue(kPersistenceAField);
  p.scaleB = doubleFieldValue(kScaleBField);
  p.octavesB = toInt(integerFieldValue(kOctavesBField));
  p.persistenceB = doubleFieldValue(kPersistenceBField);
  p.scaleC = doubleFieldValue(kScaleCField);
  p.octavesC = toInt(integerFieldValue(kOctavesCField));
  p.persistenceC = doubleFieldValue(kPersistenceCField);
  p.amplitude = doubleFieldValue(kAmplitudeField);
  p.combination = chosenValue(fieldText(kCombinationField), combinationItems(), p.combination);
  p.shaping = chosenValue(fieldText(kShapingField), shapingItems(), p.shaping);
  p.forceValid();
}

std::shared_ptr<Snapshot> ParameterPanePerlin::makeNewSnapshot() const { return std::make_shared<SnapshotPerlin>(); }

std::shared_ptr<Snapshot> ParameterPanePerlin::getDefaultSnapshot() const {
  auto snapshot = makeNewSnapshot();
  snapshot->getCore().setNorm(644);
  snapshot->getCore().setGradationInfo(GradationInfo(Gradation(), 1, 0));  // black at 0, white at 1
  return snapshot;
}

std::shared_ptr<Snapshot> ParameterPanePerlin::makeRandomSnap(std::shared_ptr<Snapshot const> const& current) const {
  PerlinParameters p = perlinSnapshot(current.get()).getParameters();
  auto const unlocked = [this](std::size_t field) { return parameterIsUnlocked(kFirstLock + static_cast<int>(field)); };
  auto const octaves = [] { return static_cast<int>(RandomUtils::intRnd(1, 8)); };
  auto const persistence = [] { return RandomUtils::doubleRnd(0.2, 1.0); };
  auto const scale = [] { return RandomUtils::doubleRnd(0.01, 1.0); };

  if (unlocked(kOctavesAField)) p.octavesA = octaves();
  if (unlocked(kPersistenceAField)) p.persistenceA = persistence();
  if (unlocked(kScaleBField)) p.scaleB = scale();
  if (unlocked(kOctavesBField)) p.octavesB = octaves();
  if (unlocked(kPersistenceBField)) p.persistenceB = persistence();
  if (unlocked(kScaleCField)) p.scaleC = scale();
  if (unlocked(kOctavesCField)) p.octavesC = octaves();
  if (unlocked(kPersistenceCField)) p.persistenceC = persistence();
  if (unlocked(kAmplitudeField)) p.amplitude = 1000;
  if (parameterIsUnlocked(kShapingLock)) p.shaping = RandomUtils::intRnd(1, 3) - 1;
  if (parameterIsUnlocked(kCombinationLock)) p.combination = RandomUtils::intRnd(1, 5) - 1;

  SnapshotCore core = current->getCore();
  core.setView(SnapshotPerlin::defaultView());
  return std::make_shared<SnapshotPerlin>(std::string(), core, p);
}

}  // namespace orlenza

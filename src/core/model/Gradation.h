#pragma once
// The colour map of a picture: colour keys on the 0..1 axis, read between the
// keys by linear interpolation. Snapshots carry one, gradation files store them.

#include "core/model/KeyframePosition.h"
#include "core/model/RGBColor.h"

#include <cstddef>
#include <iosfwd>
#include <map>
#include <vector>

namespace orlenza {

// Scale and offset applied to a clamped normalized value before the lookup.
struct GradationAuxiliaryInfo {
  double scale = 1.0;
  double offset = 0.0;

  // (1 - t) this + t other, field by field; t <= 0 or NaN gives this, t >= 1 other.
  GradationAuxiliaryInfo morphTowards(GradationAuxiliaryInfo const& other, double t) const;

  // Exact comparison: a NaN field makes two infos unequal.
  friend bool operator==(GradationAuxiliaryInfo const&, GradationAuxiliaryInfo const&) = default;
};

class Gradation {
 public:
  using Entries = std::map<KeyframePosition, RGBColor>;

  // 0 -> black, 1 -> white. Every gradation has entries at 0 and at 1, always:
  // the lookup relies on them, so they cannot be erased or moved.
  Gradation();

  // Operations marked "clamped" take a position below 0 (the invalid one
  // included) as 0 and a position above 1 as 1.
  static KeyframePosition clampPosition(KeyframePosition p) noexcept;

  // Clamped. The colour at p: the entry's own colour at a key, otherwise the
  // linear blend (in float, truncated) of the keys around p, each component
  // held between the two keys' components.
  RGBColor getColor(KeyframePosition p) const noexcept;
  // An entry exists at exactly p (not clamped).
  bool hasKeyColor(KeyframePosition p) const;
  // Clamped. Inserts only where no entry exists; an existing colour stays.
  void addEntry(KeyframePosition p, RGBColor const& c);
  // Clamped. Changes the colour of an existing entry; nothing if there is none.
  void replaceEntry(KeyframePosition p, RGBColor const& c);
  // Clamped. Replaces or inserts; answers the colour now stored at the position.
  RGBColor setColor(KeyframePosition p, RGBColor const& c);
  RGBColor setColor(double v, RGBColor const& c) { return setColor(KeyframePosition(v), c); }
  // Removes the entry at exactly p (not clamped), except the entries at 0 and 1.
  void eraseEntry(KeyframePosition p);
  // Moves the entry at exactly `from` to `to` (clamped). If an entry already
  // stands at `to`, it keeps its colour and the moved entry is gone. The
  // entries at 0 and 1 do not move. Nothing happens if `from` has no entry.
  void moveEntry(KeyframePosition from, KeyframePosition to);

  // A random gradation of 2 to 7 keys, drawn through RandomUtils.
  void randomize();

  // The blend used when two snapshots are morphed: keys 0, 0.25, 0.5, 0.75, 1
  // and every key of both, each coloured trunc((1 - t) a + t b) in double,
  // held between a and b.
  // t <= 0 or NaN gives a copy of this, t >= 1 a copy of other.
  Gradation morphTowards(Gradation const& other, double t) const;

  // The colour of each column of a horizontal strip `width` pixels wide:
  // column x shows position x / width. Empty when width is not positive.
  std::vector<RGBColor> colourStrip(int width) const;

  Entries const& entries() const noexcept { return m_entries; }
  std::size_t size() const noexcept { return m_entries.size(); }

  // Same positions and colours, entry by entry.
  friend bool operator==(Gradation const&, Gradation const&) = default;

 private:
  Entries m_entries;
};

// Text form: the entry count, then per entry its position (getValue()) and
// red, green, blue, every token followed by one blank.
std::ostream& operator<<(std::ostream& os, Gradation const& g);

// Reads the text form into g (callers pass a fresh gradation). Entries at
// exactly 0.0 and 1.0 replace the end colours; others are added, the first of
// two on the same step winning. A count below 1 reads nothing more. On a bad
// or missing token the stream fails and g is left unchanged.
std::istream& operator>>(std::istream& is, Gradation& g);
// The same inside a snapshot record, where a count below 1 would leave the
// keys' tokens to the fields after it: such a count fails the stream.
std::istream& readEmbeddedGradation(std::istream& is, Gradation& g);
// A line of a gradation file, which is never refused: the keys read before a
// bad or missing token stay in g; the stream's state tells of the damage.
void readGradationLine(std::istream& is, Gradation& g);

}  // namespace orlenza

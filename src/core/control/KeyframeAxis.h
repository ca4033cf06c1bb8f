#pragma once
// The 0..1 axis shared by the gradation editor (coloured keys) and the
// timeline (snapshot keyframes): its geometry, zoom and scrolling, the
// entries and the selection, and the mouse gestures that add, select and drag
// entries. A widget only draws what this model says and forwards the mouse.
//
// Coordinates are floats in view pixels. "Content" coordinates run over the
// whole zoomed axis (0 .. W * Z); "window" coordinates are those of the
// visible part, shifted by the horizontal scroll origin.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/model/KeyframePosition.h"
#include "core/model/RGBColor.h"
#include "core/model/Snapshot.h"

namespace orlenza {

// What an entry shows: a gradation key has a colour, a timeline keyframe its
// snapshot (the timeline draws a small picture of it).
struct KeyframeAxisEntry {
  std::optional<RGBColor> colour;
  std::shared_ptr<Snapshot> snapshot;

  friend bool operator==(KeyframeAxisEntry const&, KeyframeAxisEntry const&) = default;
};

// Told of the user's gestures; the owner of the axis updates its model.
class KeyframeAxisController {
 public:
  virtual ~KeyframeAxisController() = default;
  // True when the model accepted a new entry at pos; the axis then selects it.
  virtual bool entryAdded(KeyframePosition pos) = 0;
  virtual void currentSelectionChanged(KeyframePosition pos) = 0;
  virtual void entryMoved(KeyframePosition from, KeyframePosition to) = 0;
};

// Forwards the gestures to any controller with the three operations of that
// name (the gradation and the timeline controllers have them).
template <typename Owner>
class KeyframeAxisControllerFor final : public KeyframeAxisController {
 public:
  explicit KeyframeAxisControllerFor(Owner& owner) : m_owner(owner) {}
  bool entryAdded(KeyframePosition pos) override { return m_owner.entryAdded(pos); }
  void currentSelectionChanged(KeyframePosition pos) override { m_owner.currentSelectionChanged(pos); }
  void entryMoved(KeyframePosition from, KeyframePosition to) override { m_owner.entryMoved(from, to); }

 private:
  Owner& m_owner;
};

struct AxisRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;

  // Half-open, like a pixel grid: the right and bottom edges are outside.
  bool contains(float x, float y) const { return x >= left && x < left + width && y >= top && y < top + height; }
  friend bool operator==(AxisRect const&, AxisRect const&) = default;
};

class KeyframeAxis {
 public:
  using Entries = std::map<KeyframePosition, KeyframeAxisEntry>;

  // Gradation keys at 0 and 1 never move; timeline keyframes all do.
  enum class Ends { fixed, moveable };

  static constexpr float k_margin = 16;      // the axis starts and ends this far inside
  static constexpr float k_entrySize = 16;   // an entry's box
  static constexpr float k_minZoom = 1;
  static constexpr float k_maxZoom = 5;
  // 20 ticks of 1/60 s: after a click selects another entry, a drag starts
  // only when the button is still down this long.
  static constexpr std::int64_t k_dragDelayMs = 333;

  // The controller (not owned) may be null until setController.
  explicit KeyframeAxis(Ends ends, KeyframeAxisController* controller = nullptr);

  void setController(KeyframeAxisController* controller) { m_controller = controller; }
  // Called after every change the view must show (entries, selection, drag,
  // zoom, scroll); the widget repaints and reads the scroll range again.
  void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

  // ---- Geometry.
  // The visible view's size; the scroll origin is clamped again.
  void setViewSize(float width, float height);
  float viewWidth() const { return m_width; }
  float viewHeight() const { return m_height; }
  float zoom() const { return m_zoom; }
  // W * Z: the whole axis, of which viewWidth is visible.
  float contentWidth() const { return m_width * m_zoom; }
  float axisStart() const { return k_margin; }
  float axisEnd() const { return contentWidth() - k_margin; }
  float midY() const { return (m_height - k_entrySize) / 2; }
  // Content x of a position (its box's centre).
  float xOfPosition(KeyframePosition pos) const;
  // The position under a window x, clamped onto the axis.
  KeyframePosition positionOfX(float windowX) const;
  // Content coordinates.
  AxisRect entryRect(KeyframePosition pos) const;

  // ---- Zoom and scrolling.
  // Zoom in steps of 1 from 1 to 5; zooming out scrolls back to 0 when the
  // content would end before the view's right edge.
  void zoomIn();
  void zoomOut();
  bool isFullyZoomedIn() const { return m_zoom >= k_maxZoom; }
  bool isFullyZoomedOut() const { return m_zoom <= k_minZoom; }
  float scrollOrigin() const { return m_scrollX; }
  float maxScrollOrigin() const;
  // Clamped into 0 .. maxScrollOrigin().
  void scrollTo(float x);
  // A tenth of what lies outside the view.
  float scrollLineStep() const;

  // ---- Entries and selection.
  Entries const& entries() const { return m_entries; }
  bool hasEntry(KeyframePosition pos) const { return m_entries.count(pos) != 0; }
  bool isMoveable(KeyframePosition pos) const;
  // The entry whose box holds the window point, tested from the highest
  // position down, so of two overlapping boxes the higher position wins.
  std::optional<KeyframePosition> entryFromPoint(float windowX, float windowY) const;

  KeyframePosition selection() const { return m_selection; }
  // The position field: the selection (or the dragged entry's place) with 4
  // decimals; empty and disabled without one.
  std::string positionText() const;
  bool positionFieldEnabled() const;
  static std::string formatPosition(KeyframePosition pos);

  // From the owner, who knows already: the controller is not told.
  void setSelection(KeyframePosition pos);
  void deselect() { setSelection(KeyframePosition()); }

  // Replaces the value at pos or inserts it.
  void addEntry(KeyframePosition pos, KeyframeAxisEntry value);
  // Only where an entry is; false otherwise.
  bool replaceEntry(KeyframePosition pos, KeyframeAxisEntry value);
  // A removed selected entry leaves no selection.
  void removeEntry(KeyframePosition pos);
  // Every entry holding snap (timeline keyframes).
  void removeEntry(std::shared_ptr<Snapshot> const& snap);
  // The whole set at once (the editor reloads its gradation); the selection
  // stays where an entry remains.
  void setEntries(Entries entries);
  void clear() { setEntries({}); }
  // The selected entry goes to pos, which becomes the selection. Refused
  // (false) without a selection, for a fixed end, for an invalid pos and for
  // a place that holds another entry, which would be lost.
  bool moveSelectedEntryTo(KeyframePosition pos);

  // ---- Mouse, in window coordinates, with a monotonic time in milliseconds.
  void mousePress(float x, float y, bool alt, std::int64_t timeMs);
  void mouseMove(float x, float y, std::int64_t timeMs);
  void mouseRelease(float x, float y, std::int64_t timeMs);
  // The press ends without a release (the view lost the mouse): a dragged
  // entry goes back where it was.
  void cancelGesture();
  // The entry being dragged and where it is drawn now.
  bool isDragging() const { return m_dragged.has_value(); }
  KeyframePosition dragPosition() const { return m_dragPosition; }
  KeyframeAxisEntry const* draggedEntry() const { return m_dragged ? &m_dragged->value : nullptr; }

 private:
  enum class Gesture { none, addOnRelease, pressOnEntry };
  struct Dragged {
    KeyframePosition from;
    KeyframeAxisEntry value;
  };

  // A gesture's selection: the controller is told.
  void changeCurrentSelection(KeyframePosition pos);
  void changed();

  Ends m_ends;
  KeyframeAxisController* m_controller;
  std::function<void()> m_listener;
  float m_width = 0;
  float m_height = 0;
  float m_zoom = k_minZoom;
  float m_scrollX = 0;
  Entries m_entries;
  KeyframePosition m_selection;

  Gesture m_gesture = Gesture::none;
  KeyframePosition m_candidate;
  float m_pressX = 0;
  std::int64_t m_dragAllowedAt = 0;
  std::optional<Dragged> m_dragged;
  KeyframePosition m_dragPosition;
};

}  // namespace orlenza

#include "core/control/KeyframeAxis.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace orlenza {

namespace {

constexpr KeyframePosition k_start = KeyframePosition::fromSteps(0);
constexpr KeyframePosition k_end = KeyframePosition::fromSteps(KeyframePosition::k_steps);

}  // namespace

KeyframeAxis::KeyframeAxis(Ends ends, KeyframeAxisController* controller) : m_ends(ends), m_controller(controller) {}

void KeyframeAxis::changed() {
  if (m_listener) m_listener();
}

// ---- Geometry.

void KeyframeAxis::setViewSize(float width, float height) {
  m_width = std::max(0.0f, width);
  m_height = std::max(0.0f, height);
  m_scrollX = std::clamp(m_scrollX, 0.0f, maxScrollOrigin());
  changed();
}

float KeyframeAxis::xOfPosition(KeyframePosition pos) const {
  float const p = pos.getValue();
  return (1 - p) * k_margin + p * (contentWidth() - k_margin);
}

KeyframePosition KeyframeAxis::positionOfX(float windowX) const {
  float const span = contentWidth() - 2 * k_margin;
  if (!(span > 0)) return k_start;
  float const v = std::clamp((m_scrollX + windowX - k_margin) / span, 0.0f, 1.0f);
  return KeyframePosition(static_cast<double>(v));
}

AxisRect KeyframeAxis::entryRect(KeyframePosition pos) const {
  return {xOfPosition(pos) - k_entrySize / 2, midY() - k_entrySize / 2, k_entrySize, k_entrySize};
}

// ---- Zoom and scrolling.

void KeyframeAxis::zoomIn() {
  m_zoom = std::min(m_zoom + 1, k_maxZoom);
  changed();
}

void KeyframeAxis::zoomOut() {
  m_zoom = std::max(m_zoom - 1, k_minZoom);
  if (m_scrollX + m_width > contentWidth()) m_scrollX = 0;
  changed();
}

float KeyframeAxis::maxScrollOrigin() const { return std::max(0.0f, contentWidth() - m_width); }

void KeyframeAxis::scrollTo(float x) {
  float const clamped = std::clamp(x, 0.0f, maxScrollOrigin());
  if (clamped == m_scrollX) return;
  m_scrollX = clamped;
  changed();
}

float KeyframeAxis::scrollLineStep() const { return std::max(1.0f, std::trunc((contentWidth() - m_width) / 10)); }

// ---- Entries and selection.

bool KeyframeAxis::isMoveable(KeyframePosition pos) const {
  return pos.isValid() && (m_ends == Ends::moveable || (pos != k_start && pos != k_end));
}

std::optional<KeyframePosition> KeyframeAxis::entryFromPoint(float windowX, float windowY) const {
  float const x = windowX + m_scrollX;
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
    if (entryRect(it->first).contains(x, windowY)) return it->first;
  return std::nullopt;
}

std::string KeyframeAxis::formatPosition(KeyframePosition pos) {
  if (!pos.isValid()) return {};
  std::int32_t const steps = pos.getSteps();
  std::string fraction = std::to_string(steps % KeyframePosition::k_steps);
  fraction.insert(0, 4 - fraction.size(), '0');
  return std::to_string(steps / KeyframePosition::k_steps) + "." + fraction;
}

std::string KeyframeAxis::positionText() const { return formatPosition(m_dragged ? m_dragPosition : m_selection); }

bool KeyframeAxis::positionFieldEnabled() const { return m_dragged.has_value() || m_selection.isValid(); }

void KeyframeAxis::setSelection(KeyframePosition pos) {
  m_selection = pos;
  changed();
}

void KeyframeAxis::changeCurrentSelection(KeyframePosition pos) {
  m_selection = pos;
  changed();
  if (m_controller) m_controller->currentSelectionChanged(pos);
}

void KeyframeAxis::addEntry(KeyframePosition pos, KeyframeAxisEntry value) {
  if (!pos.isValid()) return;
  m_entries[pos] = std::move(value);
  changed();
}

bool KeyframeAxis::replaceEntry(KeyframePosition pos, KeyframeAxisEntry value) {
  auto const it = m_entries.find(pos);
  if (it == m_entries.end()) return false;
  it->second = std::move(value);
  changed();
  return true;
}

void KeyframeAxis::removeEntry(KeyframePosition pos) {
  if (m_entries.erase(pos) == 0) return;
  if (m_selection == pos) m_selection = KeyframePosition();
  changed();
}

void KeyframeAxis::removeEntry(std::shared_ptr<Snapshot> const& snap) {
  if (!snap) return;
  bool removed = false;
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    if (it->second.snapshot == snap) {
      if (m_selection == it->first) m_selection = KeyframePosition();
      it = m_entries.erase(it);
      removed = true;
    } else {
      ++it;
    }
  }
  if (removed) changed();
}

void KeyframeAxis::setEntries(Entries entries) {
  // The owner's model wins over a drag in progress.
  m_dragged.reset();
  m_gesture = Gesture::none;
  m_entries = std::move(entries);
  if (!hasEntry(m_selection)) m_selection = KeyframePosition();
  changed();
}

bool KeyframeAxis::moveSelectedEntryTo(KeyframePosition pos) {
  if (!pos.isValid() || pos == m_selection || !hasEntry(m_selection) || !isMoveable(m_selection) || hasEntry(pos))
    return false;
  auto node = m_entries.extract(m_selection);
  node.key() = pos;
  m_entries.insert(std::move(node));
  changeCurrentSelection(pos);
  return true;
}

// ---- Mouse.

void KeyframeAxis::mousePress(float x, float y, bool alt, std::int64_t timeMs) {
  cancelGesture();
  if (alt) {
    m_gesture = Gesture::addOnRelease;
    return;
  }
  std::optional<KeyframePosition> const hit = entryFromPoint(x, y);
  m_candidate = hit.value_or(KeyframePosition());
  m_pressX = x;
  m_dragAllowedAt = timeMs;
  if (m_candidate != m_selection) {
    m_dragAllowedAt = timeMs + k_dragDelayMs;
    changeCurrentSelection(m_candidate);
  }
  m_gesture = isMoveable(m_candidate) && hasEntry(m_candidate) ? Gesture::pressOnEntry : Gesture::none;
}

void KeyframeAxis::mouseMove(float x, float /*y*/, std::int64_t timeMs) {
  if (m_gesture != Gesture::pressOnEntry) return;
  if (!m_dragged) {
    // A press that has not moved never shifts the entry to the pixel under the mouse.
    if (timeMs < m_dragAllowedAt || x == m_pressX || !hasEntry(m_candidate)) return;
    auto node = m_entries.extract(m_candidate);
    m_dragged = Dragged{m_candidate, std::move(node.mapped())};
    m_dragPosition = m_candidate;
  }
  KeyframePosition const pos = positionOfX(x);
  if (!hasEntry(pos)) m_dragPosition = pos;
  changed();
}

void KeyframeAxis::mouseRelease(float x, float /*y*/, std::int64_t /*timeMs*/) {
  Gesture const gesture = std::exchange(m_gesture, Gesture::none);
  if (gesture == Gesture::addOnRelease) {
    KeyframePosition const pos = positionOfX(x);
    if (!hasEntry(pos) && m_controller && m_controller->entryAdded(pos)) changeCurrentSelection(pos);
    return;
  }
  if (!m_dragged) return;
  Dragged dragged = std::move(*m_dragged);
  m_dragged.reset();
  KeyframePosition const to = positionOfX(x);
  if (to == dragged.from || hasEntry(to)) {
    // Released on a place already taken: the entry goes back.
    m_entries[dragged.from] = std::move(dragged.value);
    if (m_selection != dragged.from)
      changeCurrentSelection(dragged.from);
    else
      changed();
    return;
  }
  m_entries[to] = std::move(dragged.value);
  changeCurrentSelection(to);
  if (m_controller) m_controller->entryMoved(dragged.from, to);
}

void KeyframeAxis::cancelGesture() {
  m_gesture = Gesture::none;
  if (!m_dragged) return;
  m_entries[m_dragged->from] = std::move(m_dragged->value);
  m_dragged.reset();
  changed();
}

}  // namespace orlenza

#include "core/panes/AbstractParameterPane.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/base/TextIO.h"

namespace orlenza {

namespace {

// Copied from strings rather than assigned from literals, which GCC 12 at -O2
// mistakes for overlapping copies (-Wrestrict).
std::string const& checkText(bool set) {
  static std::string const one("1"), zero("0");
  return set ? one : zero;
}

std::string initialText(PaneField const& field) {
  switch (field.kind) {
    case FieldKind::Double:
    case FieldKind::Integer:
    case FieldKind::CheckBox:
      return "0";
    case FieldKind::Text:
      return {};
    case FieldKind::Choice:
      return field.choices.empty() ? std::string() : field.choices.front();
  }
  return {};
}

std::string trimmed(std::string const& text) {
  auto const isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  auto first = std::find_if_not(text.begin(), text.end(), isBlank);
  auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
  return first < last ? std::string(first, last) : std::string();
}

}  // namespace

std::string formatSignificant(double value, int digits) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", std::clamp(digits, 1, 17), value);
  return buffer;
}

double parseFieldNumber(std::string const& text) {
  double value = 0;
  if (!text::parseDouble(trimmed(text), value)) return 0;
  return value;
}

AbstractParameterPane::AbstractParameterPane(std::vector<PaneField> fields) : m_fields(std::move(fields)) {
  m_texts.reserve(m_fields.size());
  for (auto const& field : m_fields) m_texts.push_back(initialText(field));
  m_written.assign(m_fields.size(), 0.0);
}

std::string const& AbstractParameterPane::fieldText(std::size_t field) const { return m_texts.at(field); }

void AbstractParameterPane::setFieldText(std::size_t field, std::string text) {
  PaneField const& description = m_fields.at(field);
  switch (description.kind) {
    case FieldKind::Choice:
      if (std::find(description.choices.begin(), description.choices.end(), text) == description.choices.end())
        return;
      break;
    case FieldKind::CheckBox:
      text = checkText(!(text.empty() || text == "0"));
      break;
    case FieldKind::Double:
    case FieldKind::Integer:
    case FieldKind::Text:
      break;
  }
  m_texts[field] = std::move(text);
}

void AbstractParameterPane::setLocked(int lockIndex, bool locked) {
  if (locked)
    m_locked.insert(lockIndex);
  else
    m_locked.erase(lockIndex);
}

bool AbstractParameterPane::isLocked(int lockIndex) const { return !parameterIsUnlocked(lockIndex); }

bool AbstractParameterPane::parameterIsUnlocked(int lockIndex) const {
  if (lockIndex == 0) return true;
  bool const hasLockBox = std::any_of(m_fields.begin(), m_fields.end(),
                                      [lockIndex](PaneField const& f) { return f.lockIndex == lockIndex; });
  return !hasLockBox || m_locked.count(lockIndex) == 0;
}

std::optional<std::size_t> AbstractParameterPane::getFirstTextBox() const {
  for (std::size_t i = 0; i < m_fields.size(); ++i)
    if (m_fields[i].isTextBox()) return i;
  return std::nullopt;
}

std::optional<std::size_t> AbstractParameterPane::getLastTextBox() const {
  for (std::size_t i = m_fields.size(); i-- > 0;)
    if (m_fields[i].isTextBox()) return i;
  return std::nullopt;
}

std::optional<std::size_t> AbstractParameterPane::getNextTextBox(std::size_t field) const {
  for (std::size_t i = field + 1; i < m_fields.size(); ++i)
    if (m_fields[i].isTextBox()) return i;
  return std::nullopt;
}

std::optional<std::size_t> AbstractParameterPane::getPrevTextBox(std::size_t field) const {
  for (std::size_t i = std::min(field, m_fields.size()); i-- > 0;)
    if (m_fields[i].isTextBox()) return i;
  return std::nullopt;
}

void AbstractParameterPane::adjustDrawing(std::size_t field) {
  if (!m_listener) return;
  m_listener->adjustDrawing();
  m_listener->currentSnapshotControlsChanged(field);
}

void AbstractParameterPane::fieldCommitted(std::size_t, CommitKey) {}

void AbstractParameterPane::setDoubleField(std::size_t field, double value) {
  m_texts.at(field) = formatSignificant(value, m_fields[field].digits);
  m_written[field] = value;
}

double AbstractParameterPane::doubleFieldValue(std::size_t field) const {
  PaneField const& description = m_fields.at(field);
  // A non-finite value the program wrote (a parameter read from a file) stays
  // as it is while untouched; typed text never yields one.
  double const written = m_written[field];
  if (!std::isfinite(written) && m_texts[field] == formatSignificant(written, description.digits)) return written;
  double value = parseFieldNumber(m_texts[field]);
  if (std::isnan(value)) return 0.0;
  value = std::clamp(value, description.minimum, description.maximum);
  return std::isfinite(value) ? value : 0.0;
}

void AbstractParameterPane::setIntegerField(std::size_t field, long long value) {
  m_texts.at(field) = std::to_string(value);
}

long long AbstractParameterPane::integerFieldValue(std::size_t field) const {
  PaneField const& description = m_fields.at(field);
  double value = parseFieldNumber(m_texts[field]);
  if (std::isnan(value)) value = 0;
  // Stay well inside long long before converting, whatever the range says.
  value = std::clamp(value, description.minimum, description.maximum);
  value = std::clamp(value, -9.0e18, 9.0e18);
  return static_cast<long long>(value);
}

void AbstractParameterPane::setCheckField(std::size_t field, bool value) { m_texts.at(field) = checkText(value); }

bool AbstractParameterPane::checkFieldValue(std::size_t field) const { return m_texts.at(field) == "1"; }

}  // namespace orlenza

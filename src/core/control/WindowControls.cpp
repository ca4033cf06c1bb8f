#include "core/control/WindowControls.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/engine/Postfiltering.h"
#include "core/panes/AbstractParameterPane.h"

namespace orlenza {

void NumberField::show(double value) {
  if (m_singlePrecision) value = static_cast<float>(value);
  m_text = formatSignificant(value, m_digits);
  m_shownText = m_text;
  m_shownValue = value;
}

double NumberField::value() const {
  if (m_text == m_shownText) return m_shownValue;
  double value = parseFieldNumber(m_text);
  if (m_singlePrecision) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return 0.0;
    value = static_cast<float>(value);
  }
  return std::isfinite(value) ? value : 0.0;
}

IdentifierMenu::IdentifierMenu(std::vector<std::string> items) : m_items(std::move(items)) {}

std::string const& IdentifierMenu::identifier() const {
  static std::string const none;
  if (m_showsUnlisted) return m_shown;
  return m_items.empty() ? none : m_items[static_cast<std::size_t>(m_index)];
}

bool IdentifierMenu::select(int index) {
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_index = index;
  m_showsUnlisted = false;
  return true;
}

void IdentifierMenu::show(std::string const& identifier) {
  int const found = indexOf(identifier);
  m_index = std::max(found, 0);
  m_showsUnlisted = found < 0;
  m_shown = identifier;
}

int IdentifierMenu::indexOf(std::string const& identifier) const {
  auto const found = std::find(m_items.begin(), m_items.end(), identifier);
  return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

PostfilterControl::PostfilterControl() : m_menu(postfilteringIdentifiersInMenuOrder()) {}

bool PostfilterControl::choose(int index) {
  if (!m_menu.select(index)) return false;
  adjustParameterField();
  if (!m_parameterEnabled) m_parameter.show(0.0);
  return true;
}

void PostfilterControl::adjustToID(std::string const& identifier, double parameter) {
  m_menu.show(identifier);
  m_parameter.show(parameter);
  adjustParameterField();
}

void PostfilterControl::adjustParameterField() {
  m_parameterEnabled = Postfiltering::getPostfilteringFromID(m_menu.identifier()).usesParam();
}

}  // namespace orlenza

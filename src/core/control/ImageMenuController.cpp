#include "core/control/ImageMenuController.h"

#include <algorithm>

namespace orlenza {

std::vector<WidthAndHeight> const& ImageMenuController::presets() {
  static std::vector<WidthAndHeight> const s_presets{{128, 128}, {256, 256},  {400, 400},
                                                     {512, 512}, {800, 600}, {1024, 768}};
  return s_presets;
}

WidthAndHeight ImageMenuController::presetSize(int index) {
  auto const& all = presets();
  if (index < 0 || index >= static_cast<int>(all.size())) return {256, 256};
  return all[static_cast<std::size_t>(index)];
}

WidthAndHeight ImageMenuController::handleMenuCommand(int itemIndex) const {
  long const k = static_cast<long>(itemIndex) - static_cast<long>(presets().size()) - 1;
  if (k < 0 || k >= static_cast<long>(m_used.size())) return {0, 0};
  return m_used[static_cast<std::size_t>(k)];
}

void ImageMenuController::reactToSize(int width, int height) {
  WidthAndHeight const size{width, height};
  auto const& all = presets();
  if (std::find(all.begin(), all.end(), size) != all.end()) return;
  if (std::find(m_used.begin(), m_used.end(), size) != m_used.end()) return;
  m_used.insert(std::upper_bound(m_used.begin(), m_used.end(), size), size);
  m_separatorAdded = true;
}

std::vector<std::string> ImageMenuController::itemTexts() const {
  std::vector<std::string> texts;
  auto text = [](WidthAndHeight s) { return std::to_string(s.width) + " x " + std::to_string(s.height); };
  for (auto const& s : presets()) texts.push_back(text(s));
  if (m_separatorAdded) texts.emplace_back("-");
  for (auto const& s : m_used) texts.push_back(text(s));
  return texts;
}

}  // namespace orlenza

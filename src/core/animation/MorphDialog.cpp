#include "core/animation/MorphDialog.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace orlenza {

namespace {

constexpr std::string_view kFieldNames[] = {"width", "height", "frame count", "frames per second"};

std::optional<int> parseWholeNumber(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  if (text.size() > 1 && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

MorphDialog::MorphDialog(int drawingWidth, int drawingHeight) {
  MovieSettings const defaults;
  m_texts[width] = std::to_string(drawingWidth);
  m_texts[height] = std::to_string(drawingHeight);
  m_texts[frameCount] = std::to_string(defaults.frameCount);
  m_texts[framesPerSecond] = std::to_string(defaults.framesPerSecond);
  m_codecItem = defaults.codecIndex - 1;
}

std::variant<MovieSettings, std::string> MorphDialog::confirm() const {
  std::array<int, fieldCount> values{};
  for (int field = 0; field < fieldCount; ++field) {
    std::optional<int> const value = parseWholeNumber(m_texts[field]);
    if (!value)
      return "The " + std::string(kFieldNames[field]) + " must be a whole number, not \"" + m_texts[field] + "\".";
    values[field] = *value;
  }
  MovieSettings settings;
  settings.width = values[width];
  settings.height = values[height];
  settings.frameCount = values[frameCount];
  settings.framesPerSecond = values[framesPerSecond];
  settings.codecIndex = m_codecItem + 1;
  if (std::optional<std::string> const problem = settings.problem()) {
    std::string sentence = *problem + ".";
    sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    return sentence;
  }
  return settings;
}

}  // namespace orlenza

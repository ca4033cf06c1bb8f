#include "core/animation/KeyframePositionDialog.h"

#include <charconv>
#include <locale>
#include <sstream>
#include <system_error>

#include "core/animation/KeyframeContainer.h"

namespace orlenza {

std::optional<KeyframePositionDialog::Alert> KeyframePositionDialog::alertFor(Verdict verdict) {
  switch (verdict) {
    case Verdict::accepted:
      return std::nullopt;
    case Verdict::outOfRange:
      return Alert{"InvalidKeyframeRangeMain", "InvalidKeyframeRangeExplain"};
    case Verdict::duplicate:
      return Alert{"InvalidKeyframeDuplicateMain", "InvalidKeyframeDuplicateExplain"};
  }
  return std::nullopt;
}

KeyframePositionDialog::KeyframePositionDialog(KeyframeContainer const& container, double initial)
    : m_container(&container), m_text(formatPosition(initial)) {}

KeyframePositionDialog::Verdict KeyframePositionDialog::validate() const {
  // A text that is no number must not pass as 0 the way atof would read it.
  std::optional<double> const value = parsePosition(m_text);
  if (!value || !(*value >= 0.0 && *value <= 1.0)) return Verdict::outOfRange;
  if (m_container->containsKeyframeAt(static_cast<float>(*value))) return Verdict::duplicate;
  return Verdict::accepted;
}

std::optional<float> KeyframePositionDialog::acceptedPosition() const {
  if (validate() != Verdict::accepted) return std::nullopt;
  return static_cast<float>(*parsePosition(m_text));
}

std::optional<double> KeyframePositionDialog::parsePosition(std::string_view text) {
  auto const isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  // from_chars takes no plus sign; people type one.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string KeyframePositionDialog::formatPosition(double v) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << v;
  return os.str();
}

}  // namespace orlenza

#include "cli/OutputPattern.h"

namespace orlenza::cli {

std::optional<OutputPattern> OutputPattern::parse(std::string const& pattern) {
  OutputPattern result;
  bool found = false;
  std::string* part = &result.m_before;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      *part += pattern[i];
      continue;
    }
    std::size_t j = i + 1;
    if (j < pattern.size() && pattern[j] == '%') {
      *part += '%';
      i = j;
      continue;
    }
    if (found) return std::nullopt;
    if (j < pattern.size() && pattern[j] == '0') {
      result.m_zeros = true;
      ++j;
    }
    if (j < pattern.size() && pattern[j] >= '1' && pattern[j] <= '9') result.m_width = pattern[j++] - '0';
    if (j >= pattern.size() || pattern[j] != 'd') return std::nullopt;
    found = true;
    part = &result.m_after;
    i = j;
  }
  if (!found) return std::nullopt;
  return result;
}

std::string OutputPattern::format(int index) const {
  std::string digits = std::to_string(index);
  if (digits.size() < static_cast<std::size_t>(m_width))
    digits.insert(0, static_cast<std::size_t>(m_width) - digits.size(), m_zeros ? '0' : ' ');
  return m_before + digits + m_after;
}

}  // namespace orlenza::cli

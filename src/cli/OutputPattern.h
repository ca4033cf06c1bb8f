#pragma once
// Output names for many pictures: a pattern with one printf-style whole-number
// conversion ("out-%03d.png"), checked before anything is computed.

#include <optional>
#include <string>

namespace orlenza::cli {

class OutputPattern {
 public:
  // Null unless pattern holds exactly one %d, %Nd or %0Nd (N up to 9) and
  // otherwise only "%%" for a percent sign.
  static std::optional<OutputPattern> parse(std::string const& pattern);

  std::string format(int index) const;

 private:
  std::string m_before, m_after;
  int m_width = 0;
  bool m_zeros = false;
};

}  // namespace orlenza::cli

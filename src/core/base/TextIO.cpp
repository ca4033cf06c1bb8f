#include "core/base/TextIO.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <limits>
#include <ostream>
#include <cctype>
#include <string_view>

namespace orlenza::text {

std::string formatDouble(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.12g", value);
  return buffer;
}

void writeDouble(std::ostream& os, double value) { os << formatDouble(value) << ' '; }
void writeInt(std::ostream& os, long long value) { os << value << ' '; }
void writeBool(std::ostream& os, bool value) { os << (value ? "1 " : "0 "); }
void writeWord(std::ostream& os, std::string const& word) { os << word << ' '; }

bool parseDouble(std::string const& token, double& value) {
  if (token.empty() || token.size() > 400) return false;
  std::string_view body = token;
  bool negative = false;
  if (body[0] == '+' || body[0] == '-') {
    negative = body[0] == '-';
    body.remove_prefix(1);
  }
  std::string lower(body);
  for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "nan") {
    value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  if (lower == "inf" || lower == "infinity") {
    value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return true;
  }
  // Only plain decimal notation from here on: strtod would also take hex floats and "nan(...)".
  for (char c : lower)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == '+' || c == '-')) return false;
  errno = 0;
  char* end = nullptr;
  double parsed = std::strtod(token.c_str(), &end);
  if (end != token.c_str() + token.size()) return false;
  if (errno == ERANGE && std::isinf(parsed)) return false;
  value = parsed;
  return true;
}

bool parseInt(std::string const& token, long long& value) {
  if (token.empty() || token.size() > 40) return false;
  errno = 0;
  char* end = nullptr;
  long long parsed = std::strtoll(token.c_str(), &end, 10);
  if (end != token.c_str() + token.size() || errno == ERANGE) return false;
  if (!(std::isdigit(static_cast<unsigned char>(token.back())))) return false;
  value = parsed;
  return true;
}

std::istream& readWord(std::istream& is, std::string& word) {
  std::string token;
  if (is >> token) word = std::move(token);
  return is;
}

std::istream& readDouble(std::istream& is, double& value) {
  std::string token;
  if (!(is >> token)) return is;
  if (!parseDouble(token, value)) is.setstate(std::ios::failbit);
  return is;
}

namespace {

template <typename T>
std::istream& readIntegral(std::istream& is, T& value) {
  std::string token;
  if (!(is >> token)) return is;
  long long parsed = 0;
  if (!parseInt(token, parsed) || parsed < static_cast<long long>(std::numeric_limits<T>::min()) ||
      (parsed > 0 && static_cast<unsigned long long>(parsed) > static_cast<unsigned long long>(std::numeric_limits<T>::max()))) {
    is.setstate(std::ios::failbit);
    return is;
  }
  value = static_cast<T>(parsed);
  return is;
}

}  // namespace

std::istream& readInt(std::istream& is, int& value) { return readIntegral(is, value); }
std::istream& readInt(std::istream& is, long& value) { return readIntegral(is, value); }
std::istream& readInt(std::istream& is, long long& value) { return readIntegral(is, value); }
std::istream& readUnsigned(std::istream& is, unsigned& value) { return readIntegral(is, value); }
std::istream& readUnsigned(std::istream& is, unsigned long& value) { return readIntegral(is, value); }

std::istream& readBool(std::istream& is, bool& value) {
  long long parsed = 0;
  readInt(is, parsed);
  if (is) value = parsed != 0;
  return is;
}

}  // namespace orlenza::text

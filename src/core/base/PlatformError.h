#pragma once
// The error raised when a platform call (file system, threads) fails: a status
// code with the source place, formatted the way every failure is reported.

#include <stdexcept>
#include <string>

namespace orlenza {

class PlatformError : public std::exception {
 public:
  PlatformError(int statusCode, std::string sourceFile = {}, int line = 0);

  int statusCode() const { return m_statusCode; }
  std::string const& sourceFile() const { return m_sourceFile; }
  int line() const { return m_line; }

  // "Error #<code>  in file <file> at line <line>\n" (the place only when known).
  char const* what() const noexcept override { return m_text.c_str(); }

 private:
  int m_statusCode;
  std::string m_sourceFile;
  int m_line;
  std::string m_text;
};

// Writes what a caught exception says to stderr, for the places where a
// failure must not escape; anything that is not a std::exception is "Unidentified error".
void reportCaughtException(std::exception_ptr error) noexcept;

}  // namespace orlenza

#define ORLENZA_PLATFORM_ERROR(code) ::orlenza::PlatformError((code), __FILE__, __LINE__)

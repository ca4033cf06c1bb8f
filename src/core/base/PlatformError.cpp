#include "core/base/PlatformError.h"

#include <iostream>

namespace orlenza {

namespace {

std::string codeText(int code) {
  if (code == -30584) return "errUnknownControl";
  if (code == -9870) return "eventParameterNotFoundErr";
  return std::to_string(code);
}

}  // namespace

PlatformError::PlatformError(int statusCode, std::string sourceFile, int line)
    : m_statusCode(statusCode), m_sourceFile(std::move(sourceFile)), m_line(line) {
  m_text = "Error #" + codeText(statusCode) + "  ";
  if (!m_sourceFile.empty()) m_text += "in file " + m_sourceFile + " at line " + std::to_string(m_line);
  m_text += "\n";
}

void reportCaughtException(std::exception_ptr error) noexcept {
  try {
    if (error) std::rethrow_exception(error);
  } catch (std::exception const& e) {
    std::cerr << e.what() << std::endl;
  } catch (...) {
    std::cerr << "Unidentified error" << std::endl;
  }
}

}  // namespace orlenza

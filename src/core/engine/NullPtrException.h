#pragma once
// Raised when an operation finds nothing where it needs an object, such as a
// snapshot whose generator has no computator.

#include "core/base/PlatformError.h"

namespace orlenza {

class NullPtrException : public PlatformError {
 public:
  NullPtrException(std::string sourceFile, int line) : PlatformError(0, std::move(sourceFile), line) {}
  char const* what() const noexcept override { return "Null pointer exception"; }
};

}  // namespace orlenza

#define ORLENZA_NULL_PTR_EXCEPTION() ::orlenza::NullPtrException(__FILE__, __LINE__)

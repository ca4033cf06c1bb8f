#include "core/base/PlatformError.h"

#include <gtest/gtest.h>

namespace orlenza {
namespace {

TEST(PlatformError, MessageForm) {
  EXPECT_STREQ(PlatformError(-43, "File.cpp", 12).what(), "Error #-43  in file File.cpp at line 12\n");
  EXPECT_STREQ(PlatformError(-30584).what(), "Error #errUnknownControl  \n");
  EXPECT_STREQ(PlatformError(-9870, "a.cpp", 1).what(), "Error #eventParameterNotFoundErr  in file a.cpp at line 1\n");
}

}  // namespace
}  // namespace orlenza

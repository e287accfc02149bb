#include "setuplogic/free_space.h"

#include <gtest/gtest.h>

TEST(VolumeRoot, IsTheDriveOrTheShareOfAFolder) {
  const struct {
    const char* folder;
    const char* root;
  } cases[] = {
      {"C:\\Program Files\\Tool\\", "C:\\"},
      {"d:\\", "d:\\"},
      {"E:", "E:\\"},
      {"\\\\server\\share\\Apps\\Tool\\", "\\\\server\\share\\"},
      {"\\\\server\\share", "\\\\server\\share\\"},
      // Nothing that could be asked.
      {"\\\\server\\", ""},
      {"\\\\server", ""},
      {"\\\\\\share\\", ""},
      {"Program Files\\Tool", ""},
      {"\\Tool", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(VolumeRoot(c.folder), c.root) << c.folder;
}

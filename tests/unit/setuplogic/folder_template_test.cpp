// The DefaultFolder template: only "%d" and "%%" are directives, and a
// vendor's text never reaches printf.
#include "setuplogic/folder_template.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace {

TEST(FolderTemplateTest, InsertsTheMajorVersion) {
  const struct {
    const char* Template;
    const char* Expected;
  } cases[] = {
      {"Tool %d", "Tool 3"},
      {"Maker\\Tool", "Maker\\Tool"},
      {"100%% Tool", "100% Tool"},
      {"%d\\%d", "3\\3"},
      {"%%d", "%d"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(IsValidFolderTemplate(c.Template)) << c.Template;
    EXPECT_EQ(FormatFolderTemplate(c.Template, 3), c.Expected) << c.Template;
  }
  EXPECT_EQ(FormatFolderTemplate("Tool %d", -12), "Tool -12");
}

TEST(FolderTemplateTest, RefusesEveryOtherDirective) {
  for (const char* folderTemplate : {"Tool %s", "Tool %n", "%5d", "%D", "%x", "Tool %", "%%%", "%ld"}) {
    EXPECT_FALSE(IsValidFolderTemplate(folderTemplate)) << folderTemplate;
    try {
      FormatFolderTemplate(folderTemplate, 1);
      ADD_FAILURE() << folderTemplate;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.ClassName(), "Exception");
      EXPECT_NE(e.Message().find(std::string("\"") + folderTemplate + "\""), std::string::npos) << e.Message();
    }
  }
}

}  // namespace

// vornakel.ini's text: values found and replaced in place, damage dropped line by line, and
// everything unknown written back.
#include "frontend/IniDocument.h"

#include <gtest/gtest.h>

namespace {

TEST(IniDocumentTest, KeepsWhatItDoesNotKnowAndDropsOnlyDamagedLines) {
  const std::string text =
      "; written by a later version\n"
      "[general]\n"
      "music volume = 70\n"
      "future = yes\n"
      "this line is damaged\n"
      "\n"
      "[profile \"Вася \\\"2\\\"\"]\n"
      "difficulty = easy\n"
      "difficulty = classic\n";
  frontend::IniDocument ini = frontend::IniDocument::Parse(text);
  EXPECT_EQ(ini.DamagedLines(), 1);
  EXPECT_EQ(ini.Get("general", "music volume"), "70");
  EXPECT_EQ(ini.Get(frontend::ProfileSectionName("Вася \"2\""), "difficulty"), "classic")
      << "a repeated key: the last one counts";
  EXPECT_FALSE(ini.Get("general", "missing"));
  EXPECT_FALSE(ini.Get("nowhere", "future"));

  ini.Set("general", "music volume", "40\nsneaked = in");
  ini.Set("general", "vsync", "off");
  ini.Set("profile \"Пётр\"", "difficulty", "easy");
  ini.RemoveSection(frontend::ProfileSectionName("Вася \"2\""));
  const std::string written = ini.Serialize();
  EXPECT_EQ(written,
            "; written by a later version\n"
            "[general]\n"
            "music volume = 40\n"
            "future = yes\n"
            "vsync = off\n"
            "\n"
            "[profile \"Пётр\"]\n"
            "difficulty = easy\n");
  EXPECT_EQ(frontend::IniDocument::Parse(written).Serialize(), written);
  EXPECT_EQ(frontend::IniDocument::Parse("[ ]\n[]\n=x\n").DamagedLines(), 3);
}

}  // namespace

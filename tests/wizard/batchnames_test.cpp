#include "wizard/batchnames.h"

#include "assembly/phones.h"
#include "platform/system/codepage.h"

#include <gtest/gtest.h>

using namespace wizard;
using assembly::PhoneTable;

TEST(BatchNames, SaveDialogNames) {
  EXPECT_EQ(BookJadProposal("/books/War and Peace.txt", "My Book"), "/books/My_Book.jad");
  EXPECT_EQ(BaseFromChosenFile("/out/x.y.jad", "midlet"), "/out/x");
  EXPECT_EQ(BaseFromChosenFile("/out/.jad", "midlet"), "/out/midlet");
  EXPECT_EQ(BaseFromChosenFile("/out/Reader.jad"), "/out/Reader");
  EXPECT_EQ(FolderOfChosenFile("/v/whatever.txt"), "/v/");
}

// A comma in a folder's name is part of the path: the JAD goes beside the book as for a folder
// without one. The phone list batch names its midlets from the first book's name, "midlet"
// when the name gives no Latin letter or digit (a Cyrillic name under Windows-1252).
TEST(BatchNames, NamesFromTheFirstBookFile) {
  EXPECT_EQ(BookJadProposal("/books/Tolstoy, Leo/War.txt", "War"), "/books/Tolstoy, Leo/War.jad");
  EXPECT_EQ(BookJadProposal("/books/Tolstoy Leo/War.txt", "War"), "/books/Tolstoy Leo/War.jad");
  const int saved = platform::AnsiCodePage();
  struct Case {
    int codePage;
    std::string firstBook, name;
  };
  const Case cases[] = {
      {1252, "/books/Tolstoy, Leo/War.txt", "War"},
      {1252, "/books/War and Peace.txt", "WarandPeace"},
      {1252, "/books/\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt", "Voynaimir"},
      {1251, "/books/\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80.txt", "Voynaimir"},
      {1252, "/books/--- .txt", "midlet"},
      {1252, "", "midlet"},
  };
  for (const Case& c : cases) {
    platform::SetAnsiCodePage(c.codePage);
    EXPECT_EQ(BatchMidletName(c.firstBook), c.name) << c.firstBook << " in " << c.codePage;
  }
  platform::SetAnsiCodePage(saved);
}

TEST(BatchNames, FindModelByCore) {
  ModelChoice large = FindModelByCore(2, false);
  ModelChoice small = FindModelByCore(2, true);
  EXPECT_STREQ(PhoneTable[large.Row].Name, "Nokia 3600");
  EXPECT_EQ(large.JarLimitKB, 4096);
  EXPECT_STREQ(PhoneTable[small.Row].Name, "Nokia 6310i");
  EXPECT_EQ(small.JarLimitKB, 30);
  EXPECT_STREQ(PhoneTable[FindModelByCore(9, false).Row].Name, "Siemens SX1");
  EXPECT_STREQ(PhoneTable[FindModelByCore(9, true).Row].Name, "Siemens SX1");
  for (int core = 0; core < 10; ++core) {
    for (bool smallest : {true, false}) {
      const ModelChoice m = FindModelByCore(core, smallest);
      ASSERT_GE(m.Row, 0) << core;
      EXPECT_NE(m.Row, assembly::kCustomPhoneListRow);
      EXPECT_EQ(PhoneTable[m.Row].Core, core);
      // No other row of the core beats it; ties go to the last row (smallest) or the first.
      for (int r = 0; r < assembly::kPhoneModelCount; ++r) {
        const auto& p = PhoneTable[r];
        if (p.Core != core || p.JarLimitKB == 0) continue;
        if (smallest) {
          EXPECT_GE(p.JarLimitKB, m.JarLimitKB);
          if (p.JarLimitKB == m.JarLimitKB) { EXPECT_LE(r, m.Row); }
        } else {
          EXPECT_LE(p.JarLimitKB, m.JarLimitKB);
          if (p.JarLimitKB == m.JarLimitKB) { EXPECT_GE(r, m.Row); }
        }
      }
    }
  }
}

TEST(BatchNames, VariantNamesAndFolders) {
  EXPECT_EQ(DeployName(0, 1, 0), "tomefalcon_s55_ce_zip");
  EXPECT_EQ(DeployName(2, 0, 4), "tomefalcon_n_ru");
  EXPECT_EQ(DeployName(8, 0, 10), "tomefalcon_midp20_jsr75_gk");
  EXPECT_EQ(AllVersionsFolder("/v/", 9, 0, 10), "/v/Siemens SX1/Full, No ZIP support/English - Greek/");
}

TEST(BatchNames, VersionsListReport) {
  assembly::TPhonesListEntry e;
  e.Row = 224;  // Nokia 6230
  e.KeysConfig = 8;
  e.JarLimitKB = 128;
  EXPECT_EQ(VersionsListLine(2, e, 1),
            "3 : Nokia 6230, English - Western Europe, Nokia phones keys config, JAR size limit: 128K\r\n");
  assembly::TPHONESLIST list(2, e);
  EXPECT_EQ(PhonesListJarLimitKB(list), 64);
  EXPECT_EQ(PhonesListJarLimitKB({}), 64);
  list[1].JarLimitKB = 30;
  EXPECT_EQ(PhonesListJarLimitKB(list), 30);
}

#include "wizard/batchnames.h"

#include "assembly/phones.h"

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

#include "assembly/phones.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace assembly;

namespace {

template <typename Key, typename Pick>
std::map<Key, int> CountBy(Pick pick) {
  std::map<Key, int> counts;
  for (const TPhoneListItem& p : PhoneTable) ++counts[pick(p)];
  return counts;
}

template <typename Pred>
std::set<std::string> NamesWhere(Pred pred) {
  std::set<std::string> names;
  for (const TPhoneListItem& p : PhoneTable)
    if (pred(p)) names.insert(p.Name);
  return names;
}

template <typename Pred>
std::map<int, int> CoresWhere(Pred pred) {
  std::map<int, int> cores;
  for (const TPhoneListItem& p : PhoneTable)
    if (pred(p)) ++cores[p.Core];
  return cores;
}

int RowOf(const std::string& name, int from = 0) {
  for (int i = from; i < kPhoneModelCount; ++i)
    if (PhoneTable[i].Name == name) return i;
  return -1;
}

const std::string kSiemensFileApi = " with filesystem access (Siemens File API)";

}  // namespace

TEST(PhoneTable, RowsPerCore) {
  EXPECT_EQ(CountBy<int>([](const TPhoneListItem& p) { return p.Core; }),
            (std::map<int, int>{{0, 21}, {1, 18}, {2, 55}, {3, 50}, {4, 113}, {5, 9}, {6, 6}, {7, 177}, {8, 57}, {9, 1}}));
}

TEST(PhoneTable, JarLimits) {
  EXPECT_EQ(CountBy<int>([](const TPhoneListItem& p) { return p.JarLimitKB; }),
            (std::map<int, int>{{0, 21},   {30, 4},   {63, 2},   {64, 122},  {78, 3},   {100, 91},  {125, 10}, {128, 41},
                                {137, 4},  {145, 1},  {146, 1},  {180, 12},  {200, 16}, {250, 3},   {256, 1},  {300, 17},
                                {348, 1},  {350, 20}, {500, 22}, {1024, 28}, {4096, 12}, {16384, 75}}));
  for (const TPhoneListItem& p : PhoneTable)
    if (p.JarLimitKB == 0) {
      EXPECT_EQ(std::string(p.Name).rfind("Generic ", 0), 0u) << p.Name;
    }
  for (const char* generic : {"Generic MIDP1.0 phone", "Generic Nokia MIDP2.0 phone",
                              "Generic Siemens MIDP1.0 phone with filesystem access (45,55,60,62 series)"})
    EXPECT_EQ(PhoneTable[RowOf(generic)].JarLimitKB, 0) << generic;
}

TEST(PhoneTable, DefaultKeyLayouts) {
  EXPECT_EQ(CountBy<int>([](const TPhoneListItem& p) { return p.DefaultKeys; }),
            (std::map<int, int>{{0, 39}, {1, 11}, {2, 4}, {3, 7}, {4, 68}, {5, 14}, {6, 29}, {7, 7}, {8, 136}, {9, 72},
                                {10, 44}, {11, 1}, {12, 75}}));
}

TEST(PhoneTable, ScreenColumns) {
  std::set<std::string> bw = {"Motorola T280i", "Motorola V60i", "Motorola V60t", "Motorola V66i", "Nokia 3585i"};
  for (const char* m : {"2128", "3118", "6688i", "A56i", "C55", "C56", "C60", "CT56", "M50", "MT50", "SL45i"})
    bw.insert(std::string("Siemens ") + m + kSiemensFileApi);
  EXPECT_EQ(NamesWhere([](const TPhoneListItem& p) { return p.BlackAndWhite == 1; }), bw);
  for (const TPhoneListItem& p : PhoneTable)
    if (p.BlackAndWhite && std::string(p.Name).starts_with("Siemens")) {
      EXPECT_EQ(p.Core, 0) << p.Name;
    }

  EXPECT_EQ(NamesWhere([](const TPhoneListItem& p) { return p.ForceHeight == 65; }),
            (std::set<std::string>{"Motorola C353t", "Motorola C370", "Motorola C450", "Motorola C550"}));
  EXPECT_EQ(NamesWhere([](const TPhoneListItem& p) { return p.ForceHeight == 64; }),
            (std::set<std::string>{"Motorola E380", "Motorola E380 (Motorola FileAccess API)", "Motorola T280i", "Motorola V60i",
                                   "Motorola V60t", "Motorola V66i"}));
  EXPECT_EQ(NamesWhere([](const TPhoneListItem& p) { return p.ForceHeight != 0 && p.ForceHeight != 64 && p.ForceHeight != 65; }),
            std::set<std::string>{});

  EXPECT_EQ(CoresWhere([](const TPhoneListItem& p) { return p.AlternativeRotation == 1; }),
            (std::map<int, int>{{7, 46}, {6, 5}, {3, 4}, {8, 3}, {4, 1}}));
  EXPECT_EQ(NamesWhere([](const TPhoneListItem& p) { return p.MidletDataSize != 0; }),
            (std::set<std::string>{"Motorola C650", "Motorola C650 (Motorola FileAccess API)"}));
  EXPECT_EQ(PhoneTable[RowOf("Motorola C650")].MidletDataSize, 300000);
  EXPECT_EQ(PhoneTable[RowOf("Motorola C650 (Motorola FileAccess API)")].MidletDataSize, 300000);
}

TEST(PhoneTable, FileSystemsIconsAndSupport) {
  EXPECT_EQ(CountBy<int>([](const TPhoneListItem& p) { return p.FileSystem; }),
            (std::map<int, int>{{0, 404}, {1, 7}, {2, 14}, {3, 18}, {4, 3}, {5, 54}, {6, 5}, {7, 2}}));
  EXPECT_EQ(CoresWhere([](const TPhoneListItem& p) { return p.Icon == 1; }),
            (std::map<int, int>{{7, 31}, {5, 9}, {6, 6}, {3, 5}, {8, 3}}));
  EXPECT_EQ(NamesWhere([](const TPhoneListItem& p) { return p.NotSupported == 1; }),
            (std::set<std::string>{"Nokia 3570", "Nokia 3585", "Nokia 3585i", "Nokia 3590", "Nokia 6310i", "Samsung C100"}));
  EXPECT_EQ(NamesWhere([](const TPhoneListItem& p) { return p.LightControlMethod == 0; }),
            (std::set<std::string>{"Motorola A760", "Motorola A768", "Motorola A780", "Motorola E680",
                                   "Generic Siemens MIDP2.0 phone with filesystem access (65,70 and 75 series)"}));
  EXPECT_EQ(CountBy<int>([](const TPhoneListItem& p) { return p.LightControlMethod; }),
            (std::map<int, int>{{-1, 502}, {0, 5}}));
  for (const TPhoneListItem& p : PhoneTable) {
    EXPECT_LE(p.Core, 9) << p.Name;
    EXPECT_LE(p.DefaultKeys, 12) << p.Name;
    EXPECT_LE(p.FileSystem, 7) << p.Name;
    EXPECT_LE(p.Icon, 1) << p.Name;
    EXPECT_LE(p.BlackAndWhite, 1) << p.Name;
    EXPECT_LE(p.AlternativeRotation, 1) << p.Name;
    EXPECT_LE(p.NotSupported, 1) << p.Name;
  }
}

TEST(PhoneTable, Jsr75Folders) {
  std::map<std::pair<std::string, int>, int> byFolderAndCore;
  for (const TPhoneListItem& p : PhoneTable)
    if (*p.JSR75Storage) ++byFolderAndCore[{p.JSR75Storage, p.Core}];
  EXPECT_EQ(byFolderAndCore, (std::map<std::pair<std::string, int>, int>{
                                 {{"C:/predefgallery/predefvideos/", 8}, 33},
                                 {{"c:/other/", 8}, 17},
                                 {{"/a/mobile/picture/", 6}, 6},
                                 {{"/a/mobile/picture/", 8}, 3},
                                 {{"0:/Misc/", 7}, 2},
                                 {{"0:/Misc/", 8}, 1},
                             }));
}

TEST(PhoneTable, NamedRowsAndDuplicates) {
  EXPECT_STREQ(PhoneTable[0].Name, "Generic MIDP1.0 phone");
  EXPECT_EQ(PhoneTable[0].Core, 3);
  EXPECT_EQ(PhoneTable[0].JarLimitKB, 0);
  EXPECT_STREQ(PhoneTable[505].Name, "Toshiba J-T06");

  const TPhoneListItem& last = PhoneTable[kCustomPhoneListRow];
  EXPECT_STREQ(last.Name, "Custom list of phones...");
  EXPECT_EQ(last.Core, 3);
  EXPECT_EQ(last.DefaultKeys, 0);
  EXPECT_EQ(last.JarLimitKB, 16384);
  EXPECT_EQ(last.BlackAndWhite + last.ForceHeight + last.AlternativeRotation + last.MidletDataSize + last.FileSystem +
                last.Icon + last.NotSupported,
            0);
  EXPECT_EQ(last.LightControlMethod, -1);
  EXPECT_STREQ(last.JSR75Storage, "");
  // The largest limit, but not the first core-3 row with it.
  int firstCore3Largest = -1;
  for (int i = 0; i < kPhoneModelCount && firstCore3Largest < 0; ++i)
    if (PhoneTable[i].Core == 3 && PhoneTable[i].JarLimitKB == 16384) firstCore3Largest = i;
  EXPECT_LT(firstCore3Largest, kCustomPhoneListRow);
  for (const TPhoneListItem& p : PhoneTable) EXPECT_LE(p.JarLimitKB, 16384);

  const int sx1 = RowOf("Siemens SX1");
  EXPECT_EQ(PhoneTable[sx1].Core, 9);
  EXPECT_EQ(PhoneTable[sx1].JarLimitKB, 1024);

  struct Twice { const char* name; int first, second; };
  const Twice twice[] = {
      {"Sony Ericsson K600i with filesystem access (JSR-75 API)", 447, 449},
      {"Sony Ericsson Z500a", 488, 493},
      {"Sony Ericsson Z600", 489, 501},
      {"Sony Ericsson Z608", 490, 502},
  };
  std::map<std::string, std::vector<int>> rowsByName;
  for (int i = 0; i < kPhoneModelCount; ++i) rowsByName[PhoneTable[i].Name].push_back(i);
  int duplicated = 0;
  for (const auto& [name, rows] : rowsByName) duplicated += rows.size() > 1;
  EXPECT_EQ(duplicated, 4);
  for (const Twice& t : twice) EXPECT_EQ(rowsByName[t.name], (std::vector<int>{t.first, t.second})) << t.name;
  EXPECT_EQ(PhoneTable[489].JarLimitKB, 16384);
  EXPECT_EQ(PhoneTable[501].JarLimitKB, 128);
}

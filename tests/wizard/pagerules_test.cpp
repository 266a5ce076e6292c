#include "wizard/pagerules.h"

#include "localisation/escape.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wizard;

namespace {

// Follows NextPage from page 0 to the build page (the manager proposes current + 1).
std::vector<int> ForwardRoad(const TRoadChoices& c) {
  std::vector<int> road{0};
  while (road.back() != pgBuild && road.size() < 20) road.push_back(NextPage(road.back(), road.back() + 1, c));
  road.push_back(pgFinish);
  return road;
}

std::vector<int> BackwardRoad(const TRoadChoices& c, int from) {
  std::vector<int> road{from};
  while (road.back() > 0 && road.size() < 20) road.push_back(PriorPage(road.back(), road.back() - 1, c));
  return road;
}

}  // namespace

TEST(PageOrder, ForwardRoads) {
  struct Case {
    const char* what;
    TRoadChoices c;
    std::vector<int> road;
  } cases[] = {
      {"full, ordinary model", {true, false, 3, false}, {0, 1, 2, 3, 4, 5, 6, 8, 12, 13, 14}},
      {"full, JSR-75 core 8", {true, false, 8, false}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14}},
      {"full, core 6", {true, false, 6, false}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14}},
      {"full, all versions", {true, true, 0, false}, {0, 1, 2, 3, 13, 14}},
      {"lite, text books", {false, false, 3, false}, {0, 1, 2, 3, 4, 5, 8, 9, 10, 12, 13, 14}},
      {"lite, HTML books", {false, false, 3, true}, {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, 14}},
      {"lite, phone list with HTML books", {false, true, 0, true}, {0, 1, 2, 3, 5, 8, 9, 10, 12, 13, 14}},
  };
  for (const Case& k : cases) EXPECT_EQ(ForwardRoad(k.c), k.road) << k.what;
}

TEST(PageOrder, BackwardRoads) {
  struct Case {
    const char* what;
    TRoadChoices c;
    int from;
    std::vector<int> road;
  } cases[] = {
      {"full, ordinary model", {true, false, 3, false}, 12, {12, 8, 6, 5, 4, 3, 2, 1, 0}},
      {"full, core 6", {true, false, 6, false}, 12, {12, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
      {"full, all versions from the finish page", {true, true, 0, false}, 14, {14, 3, 2, 1, 0}},
      {"lite, text books", {false, false, 3, false}, 12, {12, 10, 9, 8, 5, 4, 3, 2, 1, 0}},
      {"lite, HTML books", {false, false, 3, true}, 12, {12, 11, 10, 9, 8, 5, 4, 3, 2, 1, 0}},
      // Back from page 5 shows page 4 even on the phone-list road.
      {"lite, phone list", {false, true, 0, true}, 12, {12, 10, 9, 8, 5, 4, 3, 2, 1, 0}},
  };
  for (const Case& k : cases) EXPECT_EQ(BackwardRoad(k.c, k.from), k.road) << k.what;
}

TEST(PageOrder, EndsAndTheListRowReset) {
  TRoadChoices full;
  EXPECT_EQ(PriorPage(0, -1, full), -1);
  EXPECT_EQ(NextPage(14, -1, full), -1);
  bool reset = true;
  EXPECT_EQ(NextPage(3, 4, full, &reset), 4);
  EXPECT_FALSE(reset);
  TRoadChoices list{false, true, 0, false};
  EXPECT_EQ(NextPage(3, 4, list, &reset), 5);
  EXPECT_TRUE(reset);
  TRoadChoices all{true, true, 0, false};
  EXPECT_EQ(NextPage(3, 4, all, &reset), 13);
  EXPECT_FALSE(reset);
}

namespace {

// The wizard's roads as the page order table writes them, for every choice: the pages shown
// going forward from page 0.
std::vector<int> RoadOfTheOrderTable(const TRoadChoices& c) {
  const bool jsr = c.Core == 6 || c.Core == 8;
  if (c.Full && c.ListRow) return {0, 1, 2, 3, 13, 14};
  if (c.Full) {
    std::vector<int> road{0, 1, 2, 3, 4, 5, 6};
    if (jsr) road.push_back(7);
    road.insert(road.end(), {8, 12, 13, 14});
    return road;
  }
  if (c.ListRow) return {0, 1, 2, 3, 5, 8, 9, 10, 12, 13, 14};
  std::vector<int> road{0, 1, 2, 3, 4, 5, 8, 9, 10};
  if (c.HtmlBooks) road.push_back(11);
  road.insert(road.end(), {12, 13, 14});
  return road;
}

// Going back: the forward road mirrored from the page before the build (the build page moves
// on by itself and the finish page has no Back button), except that back from page 5 always
// shows page 4; the all-versions road goes back from the finish page.
std::vector<int> BackRoadOfTheOrderTable(const TRoadChoices& c) {
  if (c.Full && c.ListRow) return {14, 3, 2, 1, 0};
  std::vector<int> back;
  for (int page : RoadOfTheOrderTable(c)) {
    if (page == 13 || page == 14) continue;
    if (page == 5 && back.back() != 4) back.push_back(4);
    back.push_back(page);
  }
  return {back.rbegin(), back.rend()};
}

// Walks the rows of the page table as the page manager does: it proposes the neighbouring
// page (none past either end) and the row of the page being left corrects the proposal.
std::vector<int> RoadOfTheRows(const TRoadChoices& c, int from, int step, int last) {
  std::vector<int> road{from};
  while (road.back() != last && road.back() != -1 && road.size() <= Pages.size()) {
    const TPageRow& row = Pages.at(static_cast<size_t>(road.back()));
    const int neighbour = road.back() + step;
    const int proposal = neighbour >= 0 && neighbour < kPageCount ? neighbour : -1;
    const int page =
        step > 0 ? (row.Next ? row.Next(c, proposal) : proposal) : (row.Prior ? row.Prior(c, proposal) : proposal);
    road.push_back(page);
  }
  return road;
}

}  // namespace

TEST(PageTable, EveryRoadFollowsFromTheRows) {
  for (bool full : {true, false})
    for (bool listRow : {false, true})
      for (int core : {0, 3, 6, 8})
        for (bool html : {false, true}) {
          const TRoadChoices c{full, listRow, core, html};
          const std::string what = std::string(full ? "full" : "lite") + (listRow ? ", list row" : "") + ", core " +
                                   std::to_string(core) + (html ? ", HTML books" : "");
          // Forward to the build page, whose build moves on to the finish page.
          std::vector<int> forward = RoadOfTheRows(c, 0, 1, pgBuild);
          forward.push_back(pgFinish);
          EXPECT_EQ(forward, RoadOfTheOrderTable(c)) << what;
          const int backFrom = full && listRow ? pgFinish : pgAdvancedOptions;
          EXPECT_EQ(RoadOfTheRows(c, backFrom, -1, 0), BackRoadOfTheOrderTable(c)) << what;
          // Only leaving the phone model page for a phone list resets the list's choices.
          for (const TPageRow& row : Pages)
            EXPECT_EQ(row.Leave != nullptr && row.Leave(c), row.Page == pgPhoneModel && listRow && !full)
                << what << ", page " << row.Page;
        }
  // No page before the first, none after the last.
  EXPECT_EQ(RoadOfTheRows(TRoadChoices{}, 0, -1, -1), (std::vector<int>{0, -1}));
  EXPECT_EQ(RoadOfTheRows(TRoadChoices{}, 14, 1, -1), (std::vector<int>{14, -1}));
}

TEST(PageTable, RowsNameTheNotebookPagesAndTheirSections) {
  const char* const names[kPageCount][2] = {
      {"WizardLanguagePage", "PI_WIZARDLANGUAGEPAGE"},
      {"WelcomePage", ""},
      {"FullorLite", "PI_FULLORLITEPAGE"},
      {"PhoneModelPage", "PI_PHONEMODELPAGE"},
      {"KeyConfigPage", "PI_KEYCONFIGPAGE"},
      {"InterfaceLanguagePage", "PI_INTERFACELANGUAGEPAGE"},
      {"ZipsupportPage", "PI_ZIPSUPPORTPAGE"},
      {"JSR75StoragePage", "PI_JSR75STORAGEPAGE"},
      {"FontsPage", "PI_FONTSPAGE"},
      {"EmbedPage", ""},
      {"MidletNamePage", "PI_MIDLETNAMEPAGE"},
      {"ImagesConversionOptionsPage", "PI_IMAGESPAGE"},
      {"AdvancedOptionsPage", "PI_ADVANCEDOPTIONSPAGE"},
      {"BuildPage", ""},
      {"FinishPage", "PI_FINISHPAGE"},
  };
  for (int page = 0; page < kPageCount; ++page) {
    const TPageRow& row = PageRow(page);
    EXPECT_EQ(row.Page, page);
    EXPECT_STREQ(row.Control, names[page][0]);
    EXPECT_STREQ(row.Section, names[page][1]) << row.Control;
  }
  EXPECT_EQ(PageRow(kPageCount).Page, -1);
  EXPECT_EQ(PageRow(-1).Steps, 0U);
}

TEST(PageOrder, HtmlBooks) {
  EXPECT_FALSE(IsHtmlBooks({}));
  EXPECT_FALSE(IsHtmlBooks({"/b/War and Peace.txt"}));
  EXPECT_TRUE(IsHtmlBooks({"/b/a.txt", "/b/c.HTML"}));
  EXPECT_TRUE(IsHtmlBooks({"/b/story.html.txt"}));
  EXPECT_TRUE(IsHtmlBooks({"/site.htm/a.txt"}));
  EXPECT_TRUE(IsHtmlBooks({"/b/x.Htm"}));
}

TEST(Checks, MidletName) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {
      {"My Book 2", true},    {"A", true},           {"abcdefghijklmn", true}, {"abcdefghijklmno", false},
      {"", false},            {"my_book", false},    {"my-book", false},      {"\xCA\xED\xE8\xE3\xE0", false},
      {"   ", true},  // blanks alone pass the check; the page logic trims them first
      {"caf\xE9", false},
  };
  for (const Case& k : cases) EXPECT_EQ(IsValidMidletName(k.text), k.valid) << k.text;
  EXPECT_FALSE(IsValidMidletName(localisation::TrimBlanks("   ")));
  EXPECT_EQ(localisation::TrimBlanks("  My Book  "), "My Book");
  EXPECT_EQ(localisation::TrimBlanks("\t x \r\n"), "x");
}

TEST(Checks, BookTitle) {
  EXPECT_TRUE(IsValidBookTitle("War and Peace!"));
  EXPECT_TRUE(IsValidBookTitle("\xC2\xEE\xE9\xED\xE0 \xE8 \xEC\xE8\xF0"));
  EXPECT_TRUE(IsValidBookTitle("1234567890123456"));
  EXPECT_FALSE(IsValidBookTitle("12345678901234567"));
  EXPECT_FALSE(IsValidBookTitle(""));
}

TEST(Checks, HelpContextsAndSmallTables) {
  EXPECT_EQ(PageHelpContext(3, true), 3);
  EXPECT_EQ(PageHelpContext(3, false), 10);
  EXPECT_EQ(PageHelpContext(7, true), 20);
  EXPECT_EQ(PageHelpContext(6, false), 0);
  EXPECT_EQ(PageHelpContext(10, false), 21);
  EXPECT_EQ(PageHelpContext(15, true), 0);

  EXPECT_FALSE(ZipSupportAllowed(false, true, 98));
  EXPECT_TRUE(ZipSupportAllowed(false, true, 99));
  EXPECT_TRUE(ZipSupportAllowed(true, true, 64));
  EXPECT_FALSE(ZipSupportAllowed(true, false, 64));

  EXPECT_EQ(DefaultJarLimitKB(0), 64);  // the generic phone gives no limit
  EXPECT_EQ(DefaultJarLimitKB(506), 16384);
  EXPECT_EQ(FinalNoteHelpContext(1), 50);
  EXPECT_EQ(FinalNoteHelpContext(7), 56);
  EXPECT_STREQ(PageRow(pgImages).Section, "PI_IMAGESPAGE");
  EXPECT_STREQ(PageRow(pgWelcome).Section, "");
}

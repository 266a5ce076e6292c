#include "wizard/fontfit.h"

#include "assembly/fullbuild.h"
#include "assembly/tables.h"
#include "support/recordinghost.h"
#include "support/samplearchive.h"
#include "wizard/buildrecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wizard;
using assembly::TMIDLETCONFIG;
using assembly::testing::RecordingHost;
using assembly::testing::SampleArchive;
using assembly::testing::SampleCatalogue;

namespace {

// A full edition record for core 3 with a colour font in every slot and every negative on.
TMIDLETCONFIG FiveFonts() {
  TMIDLETCONFIG c;
  c.Core = 3;
  c.Edition = 1;
  c.KeysConfig = assembly::DefaultKeysByCore[3];
  c.JarLimit = 64 * 1024;
  const char* names[5] = {"5x3we", "6x3we_Aqua", "6x4we", "7x5we_Aqua", "8x5we_Aqua"};
  for (int i = 0; i < 5; ++i) {
    c.FontNames[i] = names[i];
    c.FontSources[i] = std::string("ZIP:fonts\\EnglishWE\\") + names[i] + ".fnt";
    c.NegativeFlags[i] = 1;
  }
  return c;
}

void TakeStep(TMIDLETCONFIG& c, FitStep step) {
  const int s = static_cast<int>(step);
  if (s < 5) {
    c.NegativeFlags[4 - s] = 0;
    return;
  }
  const int slot = s == 5 ? 4 : s == 6 ? 3 : 1;
  c.FontNames[slot].clear();
  c.FontSources[slot].clear();
}

}  // namespace

TEST(FitFonts, StepsInOrderUntilTheEstimateFits) {
  // Sizes: before the steps, then after each one.
  const std::vector<int> sizes = {1000, 990, 980, 970, 960, 950, 900, 800, 700};
  struct Case {
    int limit, reserve, steps;
  } cases[] = {
      {1256, 256, 0},  // equality fits
      {1255, 256, 1},
      {999, 50, 6},
      {956, 256, 8},   // 700 + 256 = 956 after the last step
      {100, 256, 8},   // never fits: every step, no more
  };
  for (const Case& k : cases) {
    std::size_t asked = 0;
    std::vector<FitStep> taken;
    const int steps = FitFonts(k.limit, k.reserve, [&] { return sizes.at(asked++); },
                               [&](FitStep s) { taken.push_back(s); });
    EXPECT_EQ(steps, k.steps) << k.limit;
    EXPECT_EQ(asked, static_cast<std::size_t>(k.steps) + 1) << k.limit;
    ASSERT_EQ(taken.size(), static_cast<std::size_t>(k.steps));
    for (int i = 0; i < k.steps; ++i) EXPECT_EQ(static_cast<int>(taken[i]), i);
  }
}

// Negatives 5, 4, 3, 2, 1 first, then slots 5, 4 and 2.
TEST(FitFonts, WhatEachStepChanges) {
  const std::pair<int, bool> expected[kFitStepCount] = {{5, true}, {4, true},  {3, true},  {2, true},
                                                        {1, true}, {5, false}, {4, false}, {2, false}};
  for (int s = 0; s < kFitStepCount; ++s) {
    const FitStepChange change = ChangeOf(static_cast<FitStep>(s));
    EXPECT_EQ(change.Slot, expected[s].first) << s;
    EXPECT_EQ(change.Negative, expected[s].second) << s;
  }
}

TEST(FitFonts, AFailedTrialBuildEndsTheFit) {
  int asked = 0, taken = 0;
  const auto failsSecond = [&]() -> std::optional<int> {
    if (++asked == 1) return 70000;
    return std::nullopt;
  };
  EXPECT_EQ(FitFonts(65536, 256, failsSecond, [&](FitStep) { ++taken; }), 1);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(taken, 1);
  EXPECT_FALSE(EstimateFits(std::nullopt, 256, 65536));
}

TEST(FitFonts, ReserveAndBounds) {
  EXPECT_EQ(JarReserve(true), 2048);
  EXPECT_EQ(JarReserve(false), 256);
  EXPECT_TRUE(EstimateFits(63488, 2048, 65536));
  EXPECT_FALSE(EstimateFits(63489, 2048, 65536));
  EXPECT_TRUE(EstimateFits(65280, 256, 65536));
  EXPECT_FALSE(EstimateFits(65281, 256, 65536));
  EXPECT_FALSE(EstimateFits(2147483600, 2048, 2147483647));  // no overflow
}

TEST(FitFonts, TrialBuildsOfTheSampleArchive) {
  RecordingHost host;
  assembly::BuildInputs inputs;
  assembly::TJarCache cache;
  const assembly::BuildContext context{SampleArchive(), host, inputs, ProgramTexts(), nullptr, &cache};

  TMIDLETCONFIG record = FiveFonts();
  const int whole = TrialJarSize(context, record).value_or(-1);
  ASSERT_GT(whole, 0);
  TMIDLETCONFIG bare = record;
  for (int step = 0; step < kFitStepCount; ++step) TakeStep(bare, static_cast<FitStep>(step));
  const int smallest = TrialJarSize(context, bare).value();
  ASSERT_GT(whole, smallest);

  // Exactly at the limit: nothing changes.
  TMIDLETCONFIG fit = record;
  auto run = [&](int limit) {
    return FitFonts(limit, 256, [&] { return TrialJarSize(context, fit); },
                    [&](FitStep s) { TakeStep(fit, s); });
  };
  EXPECT_EQ(run(whole + 256), 0);
  EXPECT_EQ(fit.NegativeFlags, record.NegativeFlags);

  // Below the smallest: every step; slots 1 and 3 keep their fonts.
  EXPECT_EQ(run(smallest + 255), kFitStepCount);
  EXPECT_EQ(fit.FontNames, (std::array<std::string, 5>{"5x3we", "", "6x4we", "", ""}));
  EXPECT_EQ(fit.NegativeFlags, (std::array<uint8_t, 5>{0, 0, 0, 0, 0}));

  // A limit between them stops at the first step after which the JAR fits.
  fit = record;
  const int limit = (whole + smallest) / 2 + 256;
  const int steps = run(limit);
  EXPECT_GT(steps, 0);
  EXPECT_LE(TrialJarSize(context, fit).value() + 256, limit);
  TMIDLETCONFIG before = record;
  for (int s = 0; s + 1 < steps; ++s) TakeStep(before, static_cast<FitStep>(s));
  EXPECT_GT(TrialJarSize(context, before).value() + 256, limit);
  EXPECT_TRUE(host.messages.empty());
}

TEST(PresetFontName, LanguagesWithFontsOfTheirOwn) {
  struct Case {
    const char* name;
    int language;
    const char* want;
  } cases[] = {
      {"Tah12", 3, "David12"}, {"Tah12", 9, "Arial16"}, {"Tah12", 10, "Tah12"}, {"Tah12", 1, "Tah12"},
      {"6x3", 10, "Tah12"},    {"7x5", 9, "Arial18"},   {"8x5", 9, ""},         {"8x5", 10, "Arial15"},
      {"Arial15", 3, "David15"}, {"5x3", 9, "5x3"},     {"Verd13", 3, "Verd13"},
  };
  for (const Case& k : cases) EXPECT_EQ(PresetFontName(k.name, k.language), k.want) << k.name << " " << k.language;
}

TEST(FindPresetItem, FirstItemWithNameAndScheme) {
  std::vector<std::string> items = {"None", "Custom..."};
  for (const std::string& n : CatalogueFontNames(SampleCatalogue(), 1, false)) items.push_back(n);
  auto text = [&](int i) { return items.at(static_cast<std::size_t>(i)); };
  EXPECT_EQ(text(FindPresetItem(items, "6x3", "Aqua")), "6x3we Aqua");
  EXPECT_EQ(text(FindPresetItem(items, "5x3", "BW")), "5x3we BW");
  EXPECT_EQ(text(FindPresetItem(items, "Tah12", "ClearType")), "Tah12we ClearType");
  EXPECT_EQ(FindPresetItem(items, "", "BW"), 0);
  EXPECT_EQ(FindPresetItem(items, "6x3", "aqua"), 0);  // case-sensitive
  EXPECT_EQ(FindPresetItem(items, "David12", "BW"), 0);
}

TEST(CatalogueFontNames, GroupAndBlackAndWhiteOnly) {
  const auto all = CatalogueFontNames(SampleCatalogue(), 2, false);
  const auto bw = CatalogueFontNames(SampleCatalogue(), 2, true);
  ASSERT_FALSE(bw.empty());
  EXPECT_LT(bw.size(), all.size());
  for (const std::string& n : all) EXPECT_NE(n.find("ru"), std::string::npos) << n;
  for (const std::string& n : bw) EXPECT_NE(n.find(" BW"), std::string::npos) << n;
}

TEST(NegativeLockedByCore, KindAndCore) {
  std::string font(16, '\0');
  font[7] = 0;  // black-and-white
  EXPECT_TRUE(NegativeLockedByCore(font, 0));
  EXPECT_FALSE(NegativeLockedByCore(font, 3));
  EXPECT_TRUE(NegativeLockedByCore(font, 8));
  font[7] = char(0x80 | 0);  // the high bit is not part of the kind
  EXPECT_TRUE(NegativeLockedByCore(font, 7));
  font[7] = 2;
  EXPECT_FALSE(NegativeLockedByCore(font, 0));
  font[7] = 5;  // unknown kind: the negative sheet stays
  EXPECT_FALSE(NegativeLockedByCore(font, 0));
  EXPECT_FALSE(NegativeLockedByCore("short", 0));
}

TEST(TrialJarSize, BookEditionsMeasureTheFirstMidletWithoutBook) {
  RecordingHost host;
  assembly::BuildInputs inputs;  // no book files: the trial build reads none
  const assembly::BuildContext context{SampleArchive(), host, inputs, ProgramTexts(), nullptr, nullptr};
  TMIDLETCONFIG record = FiveFonts();
  record.Edition = 2;
  const int lite = TrialJarSize(context, record).value_or(-1);
  EXPECT_GT(lite, 0);
  record.FontNames = {};
  record.FontSources = {};
  EXPECT_LT(TrialJarSize(context, record).value(), lite);
  EXPECT_TRUE(host.messages.empty());
}

#include "wizard/batchplan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace wizard;

// 10 cores, without and with ZIP support, 11 languages: the progress step of a variant is
// (core * 2 + zip) * 11 + language.
TEST(BatchPlan, FullVariantsInBuildOrder) {
  const std::vector<FullVariant> variants = FullVariants();
  ASSERT_EQ(variants.size(), 220u);
  struct Case {
    std::size_t index;
    FullVariant variant;
  };
  const Case cases[] = {
      {0, {0, 0, 0}}, {10, {0, 0, 10}}, {11, {0, 1, 0}}, {22, {1, 0, 0}}, {93, {4, 0, 5}}, {219, {9, 1, 10}},
  };
  for (const Case& c : cases) EXPECT_EQ(variants[c.index], c.variant) << c.index;
}

TEST(BatchPlan, DeployVariantsByName) {
  struct Case {
    std::string only;
    std::vector<FullVariant> expected;
  };
  const Case cases[] = {
      {"tomefalcon_n_ru", {{2, 0, 4}}},
      {"TomeFalcon_S55_CE_ZIP", {{0, 1, 0}}},
      {"tomefalcon_midp20_jsr75_gk", {{8, 0, 10}}},
      {"tomefalcon_n_r", {}},
      {"tomefalcon_n_ru ", {}},
      {"tomefalcon", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(DeployVariants(c.only), c.expected) << c.only;
  EXPECT_EQ(DeployVariants("").size(), 220u);
}

// The message lists how names are formed, and both of its examples are names that build.
TEST(BatchPlan, AnUnknownVariantNameIsAnsweredWithHowNamesAreFormed) {
  EXPECT_EQ(UnknownVariantText("TF_MIDP2_EN"),
            "No variant is named \"TF_MIDP2_EN\". A variant's name is \"tomefalcon\" followed by a core (_s55, "
            "_s65, _n, _midp10, _midp10b, _moto10, _c650, _midp20, _midp20_jsr75, _sx1), a language (_ce, _we, _cyr, "
            "_heb, _ru, _ua, _gr, _cz, _sk, _ar, _gk) and, for ZIP support, \"_zip\": for example "
            "tomefalcon_midp20_we or tomefalcon_s55_ru_zip.");
  EXPECT_EQ(DeployVariants("tomefalcon_midp20_we"), (std::vector<FullVariant>{{7, 0, 1}}));
  EXPECT_EQ(DeployVariants("tomefalcon_s55_ru_zip"), (std::vector<FullVariant>{{0, 1, 4}}));
}

TEST(BatchPlan, DeployRecordDropsModelTweaks) {
  assembly::TMIDLETCONFIG config;
  config.ForceHeight = 176;
  config.AlternativeRotation = 1;
  config.LightControl = 1;
  config.LightControlMethod = 3;
  config.JarLimit = 128 * 1024;
  ApplyDeployRecord(config);
  EXPECT_EQ(config.ForceHeight, 0);
  EXPECT_EQ(config.AlternativeRotation, 0);
  EXPECT_EQ(config.LightControl, 0);
  EXPECT_EQ(config.LightControlMethod, 3);
  EXPECT_EQ(config.JarLimit, 131072);
}

TEST(BatchPlan, BuildInTurnStopsAtTheFirstFailure) {
  struct Case {
    std::size_t count;
    int failing;  // -1: none
    bool expected;
    std::vector<std::size_t> built;
  };
  const Case cases[] = {
      {3, -1, true, {0, 1, 2}}, {3, 0, false, {0}}, {3, 1, false, {0, 1}}, {3, 2, false, {0, 1, 2}}, {0, -1, true, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::size_t> built;
    const bool ok = BuildInTurn(c.count, [&](std::size_t i) {
      built.push_back(i);
      return static_cast<int>(i) != c.failing;
    });
    EXPECT_EQ(ok, c.expected) << c.count << " " << c.failing;
    EXPECT_EQ(built, c.built) << c.count << " " << c.failing;
  }
}

TEST(BatchPlan, DeployRequestFromTheCommandLine) {
  struct Case {
    std::vector<std::string> args;
    std::optional<std::pair<std::string, std::string>> expected;  // prefix, only
  };
  const Case cases[] = {
      {{}, std::nullopt},
      {{"-Deploy", "/out/"}, std::nullopt},
      {{"/deploy", "/out/"}, std::nullopt},
      {{"deploy"}, std::nullopt},
      {{"-deploy"}, std::make_pair(std::string(), std::string())},
      {{"-deploy", "/out/x"}, std::make_pair(std::string("/out/x"), std::string())},
      {{"-deploy", "/out/", "tomefalcon_n_ru", "more"},
       std::make_pair(std::string("/out/"), std::string("tomefalcon_n_ru"))},
  };
  for (const Case& c : cases) {
    const std::optional<DeployRequest> request = DeployRequestOf(c.args);
    ASSERT_EQ(request.has_value(), c.expected.has_value()) << c.args.size();
    if (request) {
      EXPECT_EQ(request->Prefix, c.expected->first);
      EXPECT_EQ(request->Only, c.expected->second);
    }
  }
}

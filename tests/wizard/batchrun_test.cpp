#include "wizard/batchrun.h"

#include "assembly/fullbuild.h"
#include "support/recordinghost.h"
#include "support/samplearchive.h"
#include "support/tempdir.h"
#include "wizard/batchnames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace wizard;
using assembly::TMIDLETCONFIG;
using assembly::testing::RecordingHost;
using assembly::testing::SampleArchive;
using assembly::testing::SampleCatalogue;

namespace {

// Controls a user left with the advanced options shown and changed.
BatchControls UserControls(bool fullVersion) {
  BatchControls c;
  RecordControls& r = c.Record;
  r.FullVersion = fullVersion;
  r.LiteVersion = !fullVersion;
  r.AdvancedHidden = false;
  r.DisableCrashRecover = true;
  r.ForceHeightOn = true;
  r.ForceHeight = 100;
  r.DataSizeOn = true;
  r.DataSize = 50000;
  r.StoragePathOn = true;
  r.StoragePath = "x:\\mine\\";
  r.CustomAttributesOn = true;
  r.CustomAttributes = "X-Shelf: Novels";
  r.BacklightControl = true;
  r.BacklightMethod = 3;
  PictureControls& p = c.Pictures;
  p.ColorConversion = 0;
  p.IgnoreSmall = false;
  p.IgnoreNames = "mine";
  return c;
}

struct ListCase {
  const char* what;
  assembly::TPhonesListEntry entry;
  bool advancedHidden;
  // Expected record.
  int core, keys, jarLimit, icon, rotation, light, lightMethod, forceHeight, dataSize;
  const char* storagePath;
  const char* fontPath;
  // Expected pictures.
  int colors, maxWidth, maxHeight;
};

// Models of a phone list and the record each gives.
const ListCase kListCases[] = {
    // Motorola A760: core 7, rotation and backlight method 0 from the row; the limit is clamped.
    {"A760 shown", {108, 2, 20000, 4, 200, 300}, false, 7, 2, 16384 * 1024, 1, 1, 1, 0, 0, 0, "", "", 4, 200, 300},
    {"A760 hidden", {108, 2, 20000, 4, 200, 300}, true, 7, 2, 16384 * 1024, 1, 1, 0, 0, 0, 0, "", "", 4, 200, 300},
    // Siemens 2128 (core 0): the phone's storage and font folders.
    {"2128",
     {387, 10, 100, 1, 64, 32},
     false,
     0,
     10,
     100 * 1024,
     0,
     0,
     0,
     3,
     0,
     0,
     "a:\\java\\jam\\Tomefalcon\\storage\\",
     ".",
     1,
     64,
     32},
    // Motorola T280i (core 5): forced height 64; no pictures. The backlight box is off, its
    // method as the user left it.
    {"T280i", {132, 5, 64, 0, 96, 64}, false, 5, 5, 64 * 1024, 1, 0, 0, 3, 64, 0, "", "", 0, 96, 64},
    // Motorola C650: a data size, but not for a book edition.
    {"C650", {118, 7, 200, 3, 120, 80}, false, 7, 7, 200 * 1024, 1, 1, 0, 3, 0, 0, "", "", 3, 120, 80},
};

}  // namespace

// Each model of a phone list: its row, keys, limit and pictures, and the advanced options
// reset for its row whether they were shown or hidden; the user's own options are gone.
TEST(BatchRecords, PhoneListEntries) {
  for (const ListCase& c : kListCases) {
    BatchControls controls = UserControls(false);
    controls.Record.AdvancedHidden = c.advancedHidden;
    PrepareListEntry(c.entry, controls);
    assembly::BuildInputs inputs;
    TMIDLETCONFIG config;
    GatherBatchRecord(controls, SampleCatalogue(), inputs, config);
    EXPECT_EQ(config.Core, c.core) << c.what;
    EXPECT_EQ(config.Edition, 2) << c.what;
    EXPECT_EQ(config.KeysConfig, c.keys) << c.what;
    EXPECT_EQ(config.JarLimit, c.jarLimit) << c.what;
    EXPECT_EQ(config.Icon, c.icon) << c.what;
    EXPECT_EQ(config.IgnoreCrash, 0) << c.what;
    EXPECT_EQ(config.AlternativeRotation, c.rotation) << c.what;
    EXPECT_EQ(config.LightControl, c.light) << c.what;
    EXPECT_EQ(config.LightControlMethod, c.lightMethod) << c.what;
    EXPECT_EQ(config.ForceHeight, c.forceHeight) << c.what;
    EXPECT_EQ(config.MidletDataSize, c.dataSize) << c.what;
    EXPECT_EQ(config.StoragePath, c.storagePath) << c.what;
    EXPECT_EQ(config.FontPath, c.fontPath) << c.what;
    EXPECT_EQ(config.CustomAttributes, "") << c.what;
    const assembly::TImageConversionParameters& p = inputs.ImageParams;
    EXPECT_EQ(p.Colors, c.colors) << c.what;
    EXPECT_EQ(p.MaxWidth, c.maxWidth) << c.what;
    EXPECT_EQ(p.MaxHeight, c.maxHeight) << c.what;
    EXPECT_EQ(p.Dithering, 1) << c.what;
    EXPECT_EQ(p.MinWidth, 8) << c.what;
    EXPECT_EQ(p.MinHeight, 8) << c.what;
    EXPECT_EQ(p.IgnoreEmpty, 1) << c.what;
    EXPECT_EQ(p.IgnoreNames, "145x67;banner;counter;top100") << c.what;
  }
}

// The reset keeps the value of a spin edit whose box it leaves unchecked, as the window does.
TEST(BatchRecords, ResetAdvancedValuesOfARow) {
  struct Case {
    int row;
    bool full;
    bool forceHeightOn;
    int forceHeight;
    bool dataSizeOn;
    int dataSize;
    bool light;
    int lightMethod;
  } cases[] = {
      {132, true, true, 64, false, 50000, false, 3},    // T280i: height 64, no data size
      {114, true, true, 65, false, 50000, false, 3},    // C353t: height 65
      {118, true, false, 100, true, 300000, false, 3},  // C650, full edition: its data size
      {118, false, false, 100, false, 50000, false, 3},
      {108, true, false, 100, false, 50000, true, 0},  // A760: backlight method 0
  };
  for (const Case& c : cases) {
    BatchControls controls = UserControls(c.full);
    controls.Record.PhoneRow = c.row;
    ResetAdvancedValues(controls);
    const RecordControls& r = controls.Record;
    EXPECT_EQ(r.ForceHeightOn, c.forceHeightOn) << c.row;
    EXPECT_EQ(r.ForceHeight, c.forceHeight) << c.row;
    EXPECT_EQ(r.DataSizeOn, c.dataSizeOn) << c.row;
    EXPECT_EQ(r.DataSize, c.dataSize) << c.row;
    EXPECT_EQ(r.BacklightControl, c.light) << c.row;
    EXPECT_EQ(r.BacklightMethod, c.lightMethod) << c.row;
    EXPECT_FALSE(r.DisableCrashRecover) << c.row;
    EXPECT_FALSE(r.CustomAttributesOn) << c.row;
    EXPECT_FALSE(r.AdvancedHidden) << c.row;  // the reset does not hide them
    EXPECT_EQ(controls.Pictures.ColorConversion, 1) << c.row;
    EXPECT_TRUE(controls.Pictures.IgnoreSmall) << c.row;
  }
}

TEST(BatchRecords, ImageColorValues) {
  for (int colors = 0; colors <= 5; ++colors) {
    PictureControls p;
    SetImageColorValues(p, colors);
    const bool expected[6][5] = {{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0},
                                 {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}, {0, 0, 0, 0, 0}};
    const bool got[5] = {p.DontInclude, p.BlackAndWhite, p.Colors16, p.Colors64, p.Colors256};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(got[i], expected[colors][i]) << colors << " " << i;
  }
}

namespace {

// The sample archive, a recording host and a jar cache, as the window gives them.
class FullVariants : public ::testing::Test {
protected:
  BatchEnvironment Env() {
    return {host_,
            SampleArchive(),
            SampleCatalogue(),
            "None",
            "Custom font",
            [this](const assembly::BuildInputs& inputs, assembly::BuildHost* trial) {
              return assembly::BuildContext{SampleArchive(), trial ? *trial : host_, inputs, ProgramTexts(), nullptr,
                                            &cache_};
            },
            [this] { return ending_; },
            lastFault_};
  }
  RecordingHost host_;
  assembly::TJarCache cache_;
  std::string lastFault_;
  bool ending_ = false;
};

}  // namespace

// A variant takes its core's model, keys and limit, its language's preset fonts (a custom font
// the user chose is replaced) and the model's defaults with the advanced options hidden.
TEST_F(FullVariants, RecordOfEachVariant) {
  struct Case {
    FullVariant variant;
    int keys, jarLimitKB, icon, rotation, dataSize;
    std::array<std::string, 5> fonts;
  } cases[] = {
      // Siemens SX1, the only model of core 9; Greek has fonts of its own for the 6x3, 7x5, 8x5 slots.
      {{9, 1, 10}, 11, 1024, 0, 0, 0, {"5x3gk", "Tah12gk", "6x4gk", "Tah13gk", "Arial15gk"}},
      {{9, 0, 1}, 11, 1024, 0, 0, 0, {"5x3we", "6x3we", "6x4we", "7x5we", "8x5we"}},
      // Core 7 with ZIP: Motorola A1000, 16384 KB, rotation.
      {{7, 1, 0}, 1, 16384, 1, 1, 0, {"5x3ce", "6x3ce", "6x4ce", "7x5ce", "8x5ce"}},
      // Core 6 with ZIP: Motorola C650 with file access, its data size.
      {{6, 1, 4}, 7, 200, 1, 1, 300000, {"5x3ru", "6x3ru", "6x4ru", "7x5ru", "8x5ru"}},
  };
  for (const Case& c : cases) {
    BatchControls controls = UserControls(true);
    controls.Record.Fonts[1] = {1, "", "/nowhere/custom.fnt", false};
    assembly::BuildInputs inputs;
    PrepareFullVariant(Env(), c.variant, inputs, controls);
    TMIDLETCONFIG config;
    GatherBatchRecord(controls, SampleCatalogue(), inputs, config);
    const std::string what = DeployName(c.variant.Core, c.variant.Zip, c.variant.Language);
    EXPECT_EQ(config.Core, c.variant.Core) << what;
    EXPECT_EQ(config.Edition, c.variant.Zip) << what;
    EXPECT_EQ(config.InterfaceLanguage, c.variant.Language) << what;
    EXPECT_EQ(config.KeysConfig, c.keys) << what;
    EXPECT_EQ(config.JarLimit, c.jarLimitKB * 1024) << what;
    EXPECT_EQ(config.Icon, c.icon) << what;
    EXPECT_EQ(config.AlternativeRotation, c.rotation) << what;
    EXPECT_EQ(config.MidletDataSize, c.dataSize) << what;
    EXPECT_EQ(config.ForceHeight, 0) << what;
    EXPECT_EQ(config.IgnoreCrash, 0) << what;
    EXPECT_EQ(config.LightControl, 0) << what;
    EXPECT_EQ(config.CustomAttributes, "") << what;
    EXPECT_EQ(config.FontNames, c.fonts) << what;
    for (const std::string& source : config.FontSources) EXPECT_TRUE(source.starts_with("ZIP:")) << source;
    // Limits this large take no fit step: every negative stays on.
    EXPECT_EQ(config.NegativeFlags, (std::array<uint8_t, 5>{1, 1, 1, 1, 1})) << what;
    EXPECT_TRUE(controls.Record.AdvancedHidden) << what;
  }
  for (const auto& m : host_.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

// A program that is ending makes no more trial builds: the fonts are the preset's, unfitted.
TEST_F(FullVariants, NoTrialBuildWhileTheProgramEnds) {
  ending_ = true;
  BatchControls controls = UserControls(true);
  int contexts = 0;
  BatchEnvironment env = Env();
  const auto make = env.Context;
  env.Context = [&](const assembly::BuildInputs& inputs, assembly::BuildHost* trial) {
    ++contexts;
    return make(inputs, trial);
  };
  PrepareFullVariant(env, {2, 0, 0}, assembly::BuildInputs(), controls);
  EXPECT_EQ(contexts, 0);
  EXPECT_EQ(controls.Record.Fonts[4].ItemText.substr(0, 5), "8x5ce");
}

// The deploy batch builds through the host and leaves the controls of its last variant.
TEST_F(FullVariants, DeployRunWritesThePairsInTurn) {
  testing_support::TempDir dir;
  BatchControls controls = UserControls(true);
  std::vector<std::size_t> steps;
  const std::vector<FullVariant> variants = {{2, 0, 4}, {9, 1, 10}};
  const std::string prefix = dir.File("p_");
  EXPECT_TRUE(RunDeployVersions(Env(), variants, prefix, assembly::BuildInputs(), controls,
                                [&](std::size_t i) { steps.push_back(i); }));
  EXPECT_EQ(steps, (std::vector<std::size_t>{0, 1}));
  for (const char* name : {"p_tomefalcon_n_ru", "p_tomefalcon_sx1_gk_zip"})
    for (const char* ext : {".jad", ".jar"})
      EXPECT_TRUE(std::filesystem::exists(dir.File(std::string(name) + ext))) << name << ext;
  EXPECT_NE(testing_support::ReadFile(dir.File("p_tomefalcon_n_ru.jad"))
                .find("MIDlet-Jar-URL: http://tomefalcon.example.org/download/tomefalcon_n_ru.jar"),
            std::string::npos);
  EXPECT_EQ(controls.Record.InterfaceLanguage, 10);
  EXPECT_TRUE(controls.Record.WithZipSupport);
  for (const auto& m : host_.messages) ADD_FAILURE() << m.caption << ": " << m.text;

  // A prefix in a missing folder: the first save fails and ends the batch.
  steps.clear();
  EXPECT_FALSE(RunDeployVersions(Env(), variants, dir.File("missing/p_"), assembly::BuildInputs(), controls,
                                 [&](std::size_t i) { steps.push_back(i); }));
  EXPECT_EQ(steps, (std::vector<std::size_t>{0}));
  EXPECT_EQ(host_.messages.size(), 1u);
}

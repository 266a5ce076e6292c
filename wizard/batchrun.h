// The batch builds without the window: the control values each variant of the full edition
// and each model of a phone list is built with, worked out from the values the window had
// when the batch started, and the runs of the batches through the build host. The window
// shows the progress and, at the end, the values of the last variant or model.
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/host.h"
#include "assembly/midletconfig.h"
#include "assembly/phonelist.h"
#include "assembly/zipfile.h"
#include "wizard/batchplan.h"
#include "wizard/buildrecord.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace wizard {

// The controls a batch changes, as values.
struct BatchControls {
  RecordControls Record;
  PictureControls Pictures;
};

// The ranges of the spin edits a batch puts values into: a value outside is clamped.
struct SpinRange {
  int Min = 0;
  int Max = 0;
  int Clamp(int value) const { return value < Min ? Min : value > Max ? Max : value; }
};
inline constexpr SpinRange kJarLimitRange{64, assembly::kLargestJarLimitKB};  // spJARLimit
inline constexpr SpinRange kForceHeightRange{64, 512};        // spForceHeight
inline constexpr SpinRange kDataSizeRange{20480, 100000000};  // spMidletDataSize
inline constexpr SpinRange kImageSizeRange{1, 2147483647};    // spMaxImageWidth, spMaxImageHeight
// The items of cboxBacklightControlMethod.
inline constexpr int kBacklightMethodCount = 8;

// The advanced options of the selected model row and edition: the defaults the window puts
// in when they are hidden or reset. A spin edit whose box ends unchecked keeps its value.
void ResetAdvancedValues(BatchControls& controls);

// The pictures of colour value 0..4 (none, black and white, 16, 64, 256 colours); any other
// value checks no colour button.
void SetImageColorValues(PictureControls& pictures, int colors);

// What a batch needs of the program that runs it.
struct BatchEnvironment {
  assembly::BuildHost& Host;
  const assembly::TZipFile& Archive;
  const assembly::TFontCatalogue& Catalogue;
  // The items "None" and "custom font" that head every font slot list.
  std::string NoneFontItem;
  std::string CustomFontItem;
  // The context of a build; a trial build passes its own host.
  std::function<assembly::BuildContext(const assembly::BuildInputs& inputs, assembly::BuildHost* trialHost)> Context;
  // True once the program has been asked to end: no more trial builds then.
  std::function<bool()> Ending;
  // The last failure of a trial build shown (not shown again while trial builds fail so).
  std::string& LastTrialFault;
};

// The build record and inputs of the controls' values; `inputs` keeps what the batch does not
// change and gets the picture settings.
void GatherBatchRecord(const BatchControls& controls, const assembly::TFontCatalogue& catalogue,
                       assembly::BuildInputs& inputs, assembly::TMIDLETCONFIG& config);

// A full edition variant as the window sets it: its ZIP choice, the model of its core with the
// smallest (without ZIP) or largest (with ZIP) JAR limit, its language, the core's key layout,
// the fonts page from its defaults fitted by trial builds to the JAR limit (with the advanced
// options as they were), and then the advanced options hidden and reset.
void PrepareFullVariant(const BatchEnvironment& env, const FullVariant& variant, const assembly::BuildInputs& inputs,
                        BatchControls& controls);

// A phone list model as the window sets it: its row, key layout and JAR limit, the advanced
// options reset, pictures scaled down to its largest size with its colours.
void PrepareListEntry(const assembly::TPhonesListEntry& entry, BatchControls& controls);

// The all-versions batch: every variant built in turn into folder/core/edition/language/,
// `showStep` called before each build. `controls` ends with the values of the last variant
// prepared. True when every variant was built.
bool RunAllVersions(const BatchEnvironment& env, const std::string& folder, const assembly::BuildInputs& inputs,
                    BatchControls& controls, const std::function<void(std::size_t)>& showStep);

// The deploy batch: the variants built in turn as prefix + deploy name.
// `controls` ends as with RunAllVersions.
bool RunDeployVersions(const BatchEnvironment& env, const std::vector<FullVariant>& variants, const std::string& prefix,
                       const assembly::BuildInputs& inputs, BatchControls& controls,
                       const std::function<void(std::size_t)>& showStep);

// The phone list batch: the book midlets `name` of every entry built in turn into
// folder/<entry number>/; `report` gets the entry's line of "Versions list.txt" after each
// build. `controls` ends with the values of the last entry prepared.
bool RunPhonesList(const BatchEnvironment& env, const assembly::TPHONESLIST& list, const std::string& folder,
                   const std::string& name, const assembly::BuildInputs& inputs, BatchControls& controls,
                   std::string& report, const std::function<void(std::size_t)>& showStep);

}  // namespace wizard

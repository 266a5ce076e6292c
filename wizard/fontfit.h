// The fonts page's rules that need no window: the JAR size estimate by a trial build, the
// reserve and the fit of the fonts to the JAR size limit, the preset font names by interface
// language, the items of a font slot box and the negative boxes locked by the core.
#pragma once

#include "assembly/fontcatalogue.h"
#include "assembly/midletconfig.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wizard {

// The packed size of the JAR the record would give (the first midlet without book text for
// the lite and tiny editions), by a build in test mode; nothing when the trial build failed
// (its message went through the host).
std::optional<int> TrialJarSize(const assembly::BuildContext& context, const assembly::TMIDLETCONFIG& config);

// Bytes kept free below the JAR size limit: more for the book editions.
int JarReserve(bool bookEdition);

// estimate + reserve <= limit; a failed estimate never fits.
bool EstimateFits(std::optional<int> estimate, int reserve, int limit);

// The steps of the fit, in the order they are taken: negatives 5, 4, 3, 2, 1 cleared, then
// slots 5, 4 and 2 set to "None".
enum class FitStep { ClearNegative5, ClearNegative4, ClearNegative3, ClearNegative2, ClearNegative1,
                     EmptySlot5, EmptySlot4, EmptySlot2 };
inline constexpr int kFitStepCount = 8;

// Takes steps until estimate() + reserve <= limit or every step is taken; estimate() is asked
// once before the steps and once after each. A failed estimate ends the fit at once (another
// trial build would only fail again). Returns the number of steps taken.
int FitFonts(int limit, int reserve, const std::function<std::optional<int>()>& estimate,
             const std::function<void(FitStep)>& takeStep);

// The font a preset looks for in place of `name` under the interface language (Hebrew, Arabic
// and Greek have fonts of their own); empty matches nothing.
std::string PresetFontName(const std::string& name, int interfaceLanguage);

// Index of the first item holding `name` and, when the scheme is not empty, `scheme` (both
// case-sensitive); 0 ("None") when none does or the name is empty.
int FindPresetItem(const std::vector<std::string>& items, const std::string& name, const std::string& scheme);

// Display names of the catalogue fonts of a language group, in catalogue order; with bwOnly
// only black-and-white ones.
std::vector<std::string> CatalogueFontNames(const assembly::TFontCatalogue& catalogue, int group, bool bwOnly);

// True when the core inverts fonts of the font's kind by itself, so its negative sheet never
// goes into the JAR. Bytes too short to hold the kind, or a kind the table does not know,
// count as a font whose negative sheet is kept.
bool NegativeLockedByCore(std::string_view fontBytes, int core);

}  // namespace wizard

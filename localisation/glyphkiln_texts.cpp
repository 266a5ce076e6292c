// Glyphkiln's built-in named texts (English). Add a text the font creator shows here.
#include "localisation/constants.h"

namespace localisation {

namespace {

constexpr TBuiltInText kTexts[] = {
    {"AppTitle", "Glyphkiln v2.5 for Tomefalcon "},
    {"BadFileNameText", "Only english letters are allowed in font filename."},
    {"BadFileNameTitle", "Invalid filename"},
    {"c14", ""},
    {"c2", ""},
    {"c3", ""},
    {"c4", ""},
    {"c5", ""},
    {"c6", ""},
    {"ClearTypeWinXP", "This program is able to create ClearType fonts only under Windows XP system."},
    {"FontHeightLabel", "Final font height:"},
    {"HelpFile", "Glyphkiln_en.chm"},
    {"InfoMsgBoxText",
     "A new font has been created.\r\n"
     "\r\n"
     "Fonts can be embeded in midlet or installed separately.\r\n"
     "Please use \"Help\" button for getting help on fonts installation."},
    {"InfoMsgBoxTitle", "Installing font"},
    {"TooLargeFontLabel", "*Font is too large"},
    {"TooLargeFontText", "Resulting font image is too large. Please decrease font size."},
    {"TooLargeFontTitle", "Error"},
};

}  // namespace

std::span<const TBuiltInText> GlyphkilnTexts() { return kTexts; }

}  // namespace localisation

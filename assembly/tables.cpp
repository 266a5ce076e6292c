#include "assembly/tables.h"

#include "qw_version.h"

namespace assembly {

const char* const ProductVersion = QW_VERSION;

const std::array<const char*, kCoreCount> CoreNames = {
    "Siemens MIDP1.0 (55 series and sl45i)",
    "Siemens MIDP2.0 (65,70 and 75 series)",
    "Nokia MIDP1.0",
    "Generic MIDP1.0",
    "Generic MIDP1.0 with backlight control",
    "Motorola MIDP1.0",
    "Motorola C380_C650_E398_V635",
    "Generic MIDP2.0",
    "Generic MIDP2.0 with JSR-75",
    "Siemens SX1",
};

const std::array<const char*, kCoreCount> CoreSuffixes = {
    "_s55", "_s65", "_n", "_midp10", "_midp10b", "_moto10", "_c650", "_midp20", "_midp20_jsr75", "_sx1",
};

const std::array<uint8_t, kCoreCount> DefaultKeysByCore = {10, 10, 8, 0, 0, 0, 7, 1, 1, 11};

const std::array<uint8_t, kCoreCount> DataSizeByCore = {0, 0, 1, 1, 1, 1, 0, 1, 0, 1};

const std::array<const char*, kCoreCount> CoreDescriptions = {
    "SiemensCoreDesc",        "SiemensMIDP20CoreDesc", "NokiaCoreDesc",   "MIDP10CoreDesc",
    "MIDP10BacklightCoreDesc", "MotorolaMIDP10CoreDesc", "MOTOC650CoreDesc", "MIDP20CoreDesc",
    "MIDP20JSR75CoreDesc",    "SX1CoreDesc",
};

const std::array<const char*, kEditionCount> EditionNames = {
    "Full, No ZIP support", "Full, With ZIP support", "Lite", "Tiny",
};

const std::array<const char*, kEditionCount> ZipSuffixes = {"", "_zip", "", ""};

const std::array<const char*, kLanguageCount> LanguageNames = {
    "English - Central Europe", "English - Western Europe", "English - Cyrillic", "English - Hebrew",
    "Russian", "Ukrainian", "German", "Czech", "Slovak", "English - Arabic", "English - Greek",
};

const std::array<const char*, kLanguageCount> CommonFolders = {
    "common\\ENGLISHCE\\", "common\\ENGLISHWE\\", "common\\EnglishCyrillic\\", "common\\Hebrew\\",
    "common\\RUSSIAN\\",   "common\\UKRAINIAN\\", "common\\GERMAN\\",          "common\\CZECH\\",
    "common\\SLOVAK\\",    "common\\ARABIC\\",    "common\\GREEK\\",
};

const std::array<const char*, kLanguageCount> CommonFullFolders = {
    "common_FULL\\ENGLISHCE\\", "common_FULL\\ENGLISHWE\\", "common_FULL\\EnglishCyrillic\\",
    "common_FULL\\Hebrew\\",    "common_FULL\\RUSSIAN\\",   "common_FULL\\UKRAINIAN\\",
    "common_FULL\\GERMAN\\",    "common_FULL\\CZECH\\",     "common_FULL\\SLOVAK\\",
    "common_FULL\\ARABIC\\",    "common_FULL\\GREEK\\",
};

const std::array<const char*, kLanguageCount> LanguageSuffixes = {
    "_ce", "_we", "_cyr", "_heb", "_ru", "_ua", "_gr", "_cz", "_sk", "_ar", "_gk",
};

const std::array<uint8_t, kLanguageCount> FontGroupByLanguage = {0, 1, 2, 3, 2, 2, 1, 0, 0, 4, 5};

const std::array<const char*, kCoreCount * kEditionCount> CoreFolders = {
    "core\\siemens\\",          "core\\siemensZIP\\",          "core\\siemens_LITE\\",          "core\\siemens_TINY\\",
    "core\\siemensMIDP20\\",    "core\\siemensMIDP20ZIP\\",    "core\\siemensMIDP20_LITE\\",    "core\\siemensMIDP20_TINY\\",
    "core\\nokia\\",            "core\\nokiaZIP\\",            "core\\nokia_LITE\\",            "core\\nokia_TINY\\",
    "core\\midp10\\",           "core\\midp10ZIP\\",           "core\\midp10_LITE\\",           "core\\midp10_TINY\\",
    "core\\midp10_backlight\\", "core\\midp10ZIP_backlight\\", "core\\midp10_backlight_LITE\\", "core\\midp10_backlight_TINY\\",
    "core\\midp10_moto\\",      "core\\midp10ZIP_moto\\",      "core\\midp10_moto_LITE\\",      "core\\midp10_moto_TINY\\",
    "core\\MOTOC650\\",         "core\\MOTOC650ZIP\\",         "core\\MIDP20_LITE\\",           "core\\MIDP20_TINY\\",
    "core\\midp20\\",           "core\\midp20ZIP\\",           "core\\midp20_LITE\\",           "core\\midp20_TINY\\",
    "core\\midp20JSR75\\",      "core\\midp20JSR75ZIP\\",      "core\\midp20_LITE\\",           "core\\midp20_TINY\\",
    "core\\SX1\\",              "core\\SX1ZIP\\",              "core\\SX1_LITE\\",              "core\\SX1_TINY\\",
};

namespace {
constexpr std::array<const char*, kCoreCount * kLanguageCount> AllBlackWhite() {
  std::array<const char*, kCoreCount * kLanguageCount> a{};
  for (const char*& f : a) f = "BW\\";
  return a;
}

constexpr std::array<const char*, kEditionCount * kLanguageCount> ColorOfEditionOne() {
  std::array<const char*, kEditionCount * kLanguageCount> a{};
  for (int i = 0; i < kEditionCount * kLanguageCount; ++i) a[i] = i / kLanguageCount == 1 ? "Color\\" : "";
  return a;
}
}  // namespace

const std::array<const char*, kCoreCount * kLanguageCount> BlackWhiteFolders = AllBlackWhite();

const std::array<const char*, kEditionCount * kLanguageCount> ColorFolders = ColorOfEditionOne();

const std::array<const char*, kEditionCount * kLanguageCount> HelpFolders = {
    // edition 0
    "Help_FULL\\ENGLISHCE\\", "Help_FULL\\ENGLISHWE\\", "Help_FULL\\EnglishCyrillic\\", "Help_FULL\\Hebrew\\",
    "Help_FULL\\RUSSIAN\\", "Help_FULL\\UKRAINIAN\\", "Help_FULL\\GERMAN\\", "Help_FULL\\CZECH\\",
    "Help_FULL\\SLOVAK\\", "Help_FULL\\ARABIC\\", "Help_FULL\\GREEK\\",
    // edition 1
    "Help_FULL\\ENGLISHCE\\", "Help_FULL\\ENGLISHWE\\", "Help_FULL\\EnglishCyrillic\\", "Help_FULL\\Hebrew\\",
    "Help_FULL\\RUSSIAN\\", "Help_FULL\\UKRAINIAN\\", "Help_FULL\\GERMAN\\", "Help_FULL\\CZECH\\",
    "Help_FULL\\SLOVAK\\", "Help_FULL\\ARABIC\\", "Help_FULL\\GREEK\\",
    // edition 2
    "Help_LITE\\ENGLISHCE\\", "Help_LITE\\ENGLISHWE\\", "Help_LITE\\EnglishCyrillic\\", "Help_LITE\\Hebrew\\",
    "Help_LITE\\RUSSIAN\\", "Help_LITE\\UKRAINIAN\\", "Help_LITE\\GERMAN\\", "Help_LITE\\CZECH\\",
    "Help_LITE\\SLOVAK\\", "Help_LITE\\ARABIC\\", "Help_LITE\\GREEK\\",
    // edition 3
    "Help_TINY\\ENGLISHCE\\", "Help_TINY\\ENGLISHWE\\", "Help_TINY\\EnglishCyrillic\\", "Help_TINY\\Hebrew\\",
    "Help_TINY\\RUSSIAN\\", "Help_TINY\\UKRAINIAN\\", "Help_TINY\\GERMAN\\", "Help_TINY\\CZECH\\",
    "Help_TINY\\SLOVAK\\", "Help_TINY\\ARABIC\\", "Help_TINY\\GREEK\\",
};

const std::array<const char*, kKeysConfigCount> KeysConfigFiles = {
    "KeyConfig\\midp10.txt", "KeyConfig\\midp20.txt", "KeyConfig\\joystick.txt", "KeyConfig\\alcatel.txt",
    "KeyConfig\\lg.txt",     "KeyConfig\\moto1.txt",  "KeyConfig\\moto2.txt",    "KeyConfig\\moto3.txt",
    "KeyConfig\\nokia.txt",  "KeyConfig\\samsung.txt", "KeyConfig\\siemens.txt", "KeyConfig\\sx1.txt",
    "KeyConfig\\se.txt",     "",
};

const std::array<const char*, kKeysConfigCount> KeysConfigNames = {
    "Generic MIDP10 phones keys config",
    "Generic MIDP20 phones keys config",
    "Generic phone, joystick only keys config",
    "Alcatel phones keys config",
    "LG Electronics phone keys config",
    "Motorola phones keys config 1",
    "Motorola phones keys config 2",
    "Motorola phones keys config 3",
    "Nokia phones keys config",
    "Samsung phones keys config",
    "Siemens phones keys config",
    "Siemens SX1 phone keys config",
    "SonyErricsson phones keys config",
    "Custom keys configuration...",
};

const std::array<const char*, kKeysConfigCount> KeysConfigDescriptions = {
    "MIDP10KeysConfigDesc",    "MIDP20KeysConfigDesc",    "JOYONLYKeysConfigDesc",     "AlcatelKeysConfigDesc",
    "LGKeysConfigDesc",        "Motorola1KeysConfigDesc", "Motorola2KeysConfigDesc",   "Motorola2KeysConfigDesc",
    "NokiaKeysConfigDesc",     "SamsungKeysConfigDesc",   "SiemensKeysConfigDesc",     "SiemensSX1KeysConfigDesc",
    "SonyErricssonKeysConfigDesc", "CustomKeysConfigDesc",
};

const std::array<const char*, kIconCount> IconFiles = {"icon\\14x14\\icon.png", "icon\\15x15\\icon.png"};

const std::array<const char*, kFileSystemKindCount> FileSystemNotes = {
    "", "FSSIEMENS45", "FSSIEMENS55", "FSSIEMENS65", "FSSIEMENSS75", "FSJSR75", "FSMOTO", "FSMOTOJSR75",
};

const std::array<int, kFileSystemKindCount> FileSystemHelpContexts = {0, 50, 51, 52, 53, 54, 55, 56};

const std::array<uint8_t, 3 * kCoreCount> NegativeSetDropTable = {
    1, 1, 1, 0, 0, 0, 0, 1, 1, 0,  // black-and-white
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // colour
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // ClearType
};

}  // namespace assembly

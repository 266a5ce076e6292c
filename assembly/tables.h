// The builder's product tables: reader version, midlet cores, editions, interface languages,
// resource-archive folders, key layouts, icons, file-system notes and the per-core byte
// tables. Indexed by the build record's small numbers; nothing checks the ranges.
// Archive paths use '\' and end in '\' when they name a folder.
#pragma once

#include <array>
#include <cstdint>

namespace assembly {

constexpr int kCoreCount = 10;
constexpr int kEditionCount = 4;
constexpr int kLanguageCount = 11;
constexpr int kKeysConfigCount = 14;
constexpr int kCustomKeysConfig = 13;  // the user's own key layout file
constexpr int kIconCount = 2;
constexpr int kFileSystemKindCount = 8;

// The program version: the midlets' MIDlet-Version, the window caption and the default second
// title line.
extern const char* const ProductVersion;

// By core 0..9.
extern const std::array<const char*, kCoreCount> CoreNames;
extern const std::array<const char*, kCoreCount> CoreSuffixes;
extern const std::array<uint8_t, kCoreCount> DefaultKeysByCore;
extern const std::array<uint8_t, kCoreCount> DataSizeByCore;
// Names of the named texts that describe each core.
extern const std::array<const char*, kCoreCount> CoreDescriptions;

// By edition 0..3: full without ZIP, full with ZIP, lite, tiny.
extern const std::array<const char*, kEditionCount> EditionNames;
extern const std::array<const char*, kEditionCount> ZipSuffixes;

// By interface language 0..10.
extern const std::array<const char*, kLanguageCount> LanguageNames;
extern const std::array<const char*, kLanguageCount> CommonFolders;
extern const std::array<const char*, kLanguageCount> CommonFullFolders;
extern const std::array<const char*, kLanguageCount> LanguageSuffixes;
// Language group of the font catalogue: 0 EnglishCE, 1 EnglishWE, 2 Cyrillic, 3 Hebrew,
// 4 Arabic, 5 Greek.
extern const std::array<uint8_t, kLanguageCount> FontGroupByLanguage;

// Core x 4 + Edition.
extern const std::array<const char*, kCoreCount * kEditionCount> CoreFolders;
// Core x 11 + InterfaceLanguage.
extern const std::array<const char*, kCoreCount * kLanguageCount> BlackWhiteFolders;
// Edition x 11 + InterfaceLanguage; an empty folder name copies nothing.
extern const std::array<const char*, kEditionCount * kLanguageCount> ColorFolders;
extern const std::array<const char*, kEditionCount * kLanguageCount> HelpFolders;

// By key layout 0..13; layout 13 has no archive file.
extern const std::array<const char*, kKeysConfigCount> KeysConfigFiles;
extern const std::array<const char*, kKeysConfigCount> KeysConfigNames;
extern const std::array<const char*, kKeysConfigCount> KeysConfigDescriptions;

// By icon 0..1.
extern const std::array<const char*, kIconCount> IconFiles;

// By file-system kind 0..7 of the phone table: stem of the note's named texts ("" = no
// note) and the help context of its topic.
extern const std::array<const char*, kFileSystemKindCount> FileSystemNotes;
extern const std::array<int, kFileSystemKindCount> FileSystemHelpContexts;

// [font type x 10 + core]: 1 = the core needs no negative glyph sheet of that font type.
extern const std::array<uint8_t, 3 * kCoreCount> NegativeSetDropTable;

}  // namespace assembly

// The built-in table of phone models. A model is identified everywhere by its row number;
// the last row stands for the batch modes (a phone list file or all versions).
#pragma once

#include <array>
#include <cstdint>

namespace assembly {

struct TPhoneListItem {
  const char* Name;          // display name, matched by phone list files without regard to case
  uint8_t Core;              // midlet core 0..9
  uint8_t DefaultKeys;       // key layout 0..12
  int32_t JarLimitKB;        // JAR size limit in KB, 0 = none given
  uint8_t BlackAndWhite;     // 1 = black-and-white display
  int32_t ForceHeight;       // screen height to force, 0 = none
  uint8_t AlternativeRotation;  // 1 = safe screen rotation needed
  int32_t MidletDataSize;    // MIDlet-Data-Size to write, 0 = none
  uint8_t FileSystem;        // file-system kind 0..7 (index of FileSystemNotes)
  uint8_t Icon;              // index of IconFiles
  uint8_t NotSupported;      // 1 = the model cannot run the reader
  int32_t LightControlMethod;  // backlight method to preset, -1 = none
  const char* JSR75Storage;  // default JSR-75 storage folder, "" = none
};

constexpr int kPhoneModelCount = 507;
// "Custom list of phones...": the phone list batch (lite, tiny) or all versions (full).
constexpr int kCustomPhoneListRow = 506;

extern const std::array<TPhoneListItem, kPhoneModelCount> PhoneTable;

}  // namespace assembly

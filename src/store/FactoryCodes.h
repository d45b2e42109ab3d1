#pragma once

// Values a new configuration starts with where the controller's own factory
// setting is ours to choose.
namespace FactoryCodes {
inline constexpr const char* LockCode = "C";          // one key, never the terminator "D"
inline constexpr const char* RemoteBasePrefix = "A2"; // a letter key, then a digit key
inline constexpr const char* AutopatchPrefix = "A1";  // a letter key, then a digit key
inline constexpr const char* PadTestPrefix = "98";    // two digits
inline constexpr const char* VoiceID = "T A R V E X"; // vocabulary words
inline constexpr const char* CWID = "T A R V E X";    // CW characters
inline constexpr const char* Terminator = "D";
} // namespace FactoryCodes

// The ids of the module's string table (resources/string_table.cpp).
#pragma once

#include "platform/win_types.h"

namespace VavazaZavidi::StringId {

inline constexpr UINT kLoadFailedCaption = 209;         // "Tarvel"
inline constexpr UINT kLoadFailed = 210;                // "Failed to load Tarvel setup."
inline constexpr UINT kAnalogOutputNumbered = 211;      // "Analog Output %1"
inline constexpr UINT kDigitalOutputNumbered = 212;     // "Digital Output %1"
inline constexpr UINT kLevelWithUnit = 213;             // "Level (%1)"
inline constexpr UINT kAbove = 214;                     // "above"
inline constexpr UINT kBelow = 215;                     // "below"
inline constexpr UINT kAll = 216;                       // "all"
inline constexpr UINT kAny = 217;                       // "any"
inline constexpr UINT kInputNumbered = 218;             // "Input %1"
inline constexpr UINT kInternalErrorCaption = 219;      // "Tarvel"
inline constexpr UINT kInternalError = 220;             // "An internal error occurred ..."
inline constexpr UINT kVerbIs = 221;                    // "is"
inline constexpr UINT kVerbGoes = 222;                  // "goes"
inline constexpr UINT kDeviceNotSuitable = 223;         // "Tarvel is not available ... (%1) ..."
inline constexpr UINT kDeviceNotSuitableCaption = 224;  // "Tarvel"
inline constexpr UINT kAnalogOutput = 225;              // "Analog Output"
inline constexpr UINT kSamplingRefusal = 226;           // "You cannot turn on Tarvel while ..."
inline constexpr UINT kSamplingRefusalCaption = 227;    // "Tarvel"
inline constexpr UINT kStimulatorWarning = 228;         // "Currently Tarvel is using ..."
inline constexpr UINT kStimulatorWarningCaption = 229;  // "Tarvel"
inline constexpr UINT kHelpFileLocation = 237;          // for the host
inline constexpr UINT kMenuCommand = 238;               // "Tarvel..."
inline constexpr UINT kMenuCommandStatus = 239;         // for the host
inline constexpr UINT kProductName = 240;               // "Tarvel"
inline constexpr UINT kDialogCaptionWithDevice = 305;   // "Tarvel - %1"
inline constexpr UINT kNoDeviceName = 306;              // "none"
inline constexpr UINT kHelpButtonTip = 402;             // "Get dialog help"

}  // namespace VavazaZavidi::StringId

// The identities by which the host finds the extension's document class, and the framework
// identifiers of its commands and messages.
#pragma once

#include "platform/com/guid.h"
#include "platform/win_types.h"

namespace VavazaZavidi {

inline constexpr char16_t kDocumentClassName[] = u"VavazaZavidi Document";
// The document class; also the MessageFamily of its commands and messages and the class of
// its persisted stream.
inline constexpr GUID kDocumentClassId = MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}");
inline constexpr GUID kDocumentTypeId = MakeGuid("{D6F52E84-B34D-11D3-80C7-005004AD3C53}");
// Queries for this identifier are refused by the document instead of passed on.
inline constexpr IID kRefusedDocumentIid = MakeGuid("{C60D5F9C-196E-4750-9450-251C268422D2}");

// Codes in the document class's family.
inline constexpr WORD kSetupCommandCode = 1;       // the "Tarvel..." menu command
inline constexpr WORD kConfigTextMessageCode = 2;  // carries a configuration text
inline constexpr WORD kSetupRequestMessageCode = 3;

inline constexpr char16_t kMenuPath[] = u"Setup|&Viruvo Dudud Orarorad^OUTPUTEXTS";

}  // namespace VavazaZavidi

// What the setup dialog asks of the document whose configuration it edits: the master
// device's name for its caption, the host's description of an input for the level's range and
// unit, and the host's help. The extension's document (Doc) implements it; the dialog knows the
// document only through it, so the dialog's library needs nothing of the document's.
#pragma once

#include <cstdint>

#include "support/string/tev_string.h"

namespace VavazaZavidi {

class SetupDocument {
public:
    // The master device's name; false (name unchanged) when it cannot be read.
    virtual bool GetDeviceName(Tev::String& name) = 0;
    // The host's description of input `input` (counted from 0): an XML text whose element
    // "PhysicalGainIndex" holds the input's range and unit. False (text unchanged) when the
    // document has no device or the host gives no description.
    virtual bool GetInputDescription(std::int32_t input, Tev::String& description) = 0;
    // Asks the host to show the help topic `context` of the help file `file`; nothing happens
    // when the host has no help to show.
    virtual void ShowHelp(const Tev::String& context, const Tev::String& file) = 0;

protected:
    SetupDocument() = default;
    ~SetupDocument() = default;
    SetupDocument(const SetupDocument&) = default;
    SetupDocument& operator=(const SetupDocument&) = default;
};

}  // namespace VavazaZavidi

// The configuration text a document file holds, read from Tarvel's stream in it as it is
// stored: for `ostrel text`, and to tell a text this Tarvel does not read (a later version)
// before anything is saved over it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/session/host_document.h"

namespace ostrel {

// The text Tarvel's stream among `streams` holds; nothing when there is no such stream or its
// text cannot be taken out of it.
std::optional<std::string> StoredConfigurationText(
    const std::vector<session::ExtensionStream>& streams);

}  // namespace ostrel

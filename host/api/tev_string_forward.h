// The string object that crosses the host boundary. The host's interfaces pass texts as
// `ITevString*`; the interface is declared with the string type, in
// support/string/tev_string_interface.h.
#pragma once

struct ITevString;

// The string object that crosses the host boundary. The host's interfaces pass texts as
// `ITevString*`; its full declaration lives with the string type.
#pragma once

struct ITevString;

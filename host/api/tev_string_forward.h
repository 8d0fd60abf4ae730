// The string object that crosses the host boundary, declared only. The host's interfaces pass
// texts as `ITevString*`; host/api/tev_string_interface.h defines the interface.
#pragma once

struct ITevString;

// The module object: the owner of the extension module's resources (string table, dialog
// templates, bitmaps). It is created when the process attaches the module and deleted when it
// detaches; every string and dialog resource the extension loads comes from its module.
#pragma once

#include "platform/ui/owl/module.h"
#include "platform/win_types.h"

namespace Services {

// Module attach and detach.
void CreateModuleObject();
void DeleteModuleObject();

// The module object: the OWL module of the extension's own instance handle (null outside
// module attach and detach).
owl::TModule* ModuleObject();

// The instance handle of the module the extension's code is linked into (libtarvel.so when
// the host loads it).
HINSTANCE ModuleInstance();

}  // namespace Services

// Tracing refused interface queries. When the environment variable TARVEL_TRACE_REFUSED_IIDS
// is set to anything but "" or "0", every QueryInterface that answers E_NOINTERFACE writes one
// line to standard error naming the identifier and the object:
//
//   tarvel: VavazaZavidi::Doc refused {C60D5F9C-196E-4750-9450-251C268422D2}
//
// so that an interface a caller expected and did not get can be found without a debugger.
// The variable is read at each refusal; without it a refusal costs one getenv.
#pragma once

#include <typeinfo>

#include "platform/com/guid.h"

// Notes that `object` (the dynamic type of the refusing object) refused `iid`.
void NoteRefusedInterface(const std::type_info& object, REFIID iid);

// Whether refusals are traced now.
bool RefusedInterfacesTraced();

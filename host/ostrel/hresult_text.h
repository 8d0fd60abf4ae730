// HRESULTs as ostrel reports them: the value in hex and what it means in plain words.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace ostrel {

// "0x80004005 (the operation failed)".
std::string DescribeHResult(HRESULT result);

}  // namespace ostrel

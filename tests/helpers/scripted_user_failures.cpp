// Every test program hears of the scripted user's problems as a failure of the running test:
// a queued script that never ran, a dialog that came up without a script or was left open.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/scripted_user.h"

namespace {

const bool kInstalled = [] {
    ui::ScriptedUser::SetProblemReporter(
        [](const std::string& problems) { ADD_FAILURE() << problems; });
    return true;
}();

}  // namespace

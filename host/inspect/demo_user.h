// The demonstration's user in Tarvel's setup dialog. Knowing the dialog's controls is knowing
// Tarvel, so this lives with the host's other knowledge of it.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/window_user.h"

namespace inspect {

// What the user saw in the dialog just before pressing OK.
struct DemoUserSaw {
    std::u16string caption;
    std::vector<std::u16string> tabs;  // labels, with the marker of an output that is on
    std::vector<std::u16string> rows;  // each condition row shown, as a sentence
};

// Plays the demonstration in `dialog`: chooses the first output's tab, ticks "Generate output
// when", chooses Input 1 and "above", types `level` into the level edit and leaves it, then
// presses OK. Before OK it notes what it saw and, when `snapshot` is not empty, writes a PNG
// picture of the dialog there.
void PlayDemoUser(ui::WindowUser& dialog, std::u16string_view level, DemoUserSaw& seen,
                  const std::string& snapshot);

}  // namespace inspect

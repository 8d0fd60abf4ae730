// The screen's keys as the toolkit's virtual keys.
#pragma once

#include <SDL_keycode.h>

#include "platform/ui/user_types.h"

namespace screen {

// The virtual key of a key of the keyboard, or 0 for a key the toolkit has no use for.
UINT VirtualKeyOf(SDL_Keycode key);

// Whether a key press goes to the dialog as a whole (Tab, Enter, Escape): the toolkit then
// does with it what a dialog does, in one step, and the key's release is not delivered.
bool IsDialogKey(UINT virtualKey);

// The character the system makes of a key that types no text of its own (Backspace), or 0.
char16_t ControlCharacterOf(UINT virtualKey);

}  // namespace screen

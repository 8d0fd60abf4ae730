// The language of the user-interface library's application object, process-wide.
//
// Resource loading asks for texts in the application's language first when an application
// object exists. The user-interface toolkit calls SetApplicationLanguage when it creates its
// application object and ClearApplicationLanguage when it destroys it; until then (and in
// programs without one) GetApplicationLanguage answers false.
#pragma once

#include "platform/win_types.h"

void SetApplicationLanguage(WORD language);
void ClearApplicationLanguage();
// True, with the language, while an application object exists.
bool GetApplicationLanguage(WORD* language);

// The user-interface toolkit in one include: modules and the application, windows and
// dialogs, the control wrappers, edits and validators, glyph buttons and the GDI owners.
#pragma once

#include "platform/ui/owl/application.h"
#include "platform/ui/owl/control.h"
#include "platform/ui/owl/controls.h"
#include "platform/ui/owl/dialog.h"
#include "platform/ui/owl/edit.h"
#include "platform/ui/owl/gdi_objects.h"
#include "platform/ui/owl/glyph_button.h"
#include "platform/ui/owl/module.h"
#include "platform/ui/owl/ui_parts.h"
#include "platform/ui/owl/validators.h"
#include "platform/ui/owl/window.h"

// Where the support library finds the host application object, and whether the host
// application is visible, as pop-ups ask before they show: the host's
// one-byte boolean setting "tev\application\visible" (preset true). The answer is true when no
// host application is known, when it has no settings object, or when reading fails.
//
// The extension tells the support library where its host application is once it has the
// framework's services:
//   Tev::SetHostApplicationSource([] { return FrameworkServices().HostApplication(); });
#pragma once

#include <functional>

#include "host/api/host_application.h"

namespace Tev {

inline constexpr char16_t kApplicationVisibleKey[] = u"tev\\application\\visible";

// Returns the host application object (borrowed, no reference added), or null.
using HostApplicationSource = std::function<IHostApplication*()>;

void SetHostApplicationSource(HostApplicationSource source);
// The host application object the source gives (borrowed), or null without a source.
IHostApplication* CurrentHostApplication();
bool IsApplicationVisible();
// The setting as `host` reports it.
bool ReadApplicationVisible(IHostApplication* host);

}  // namespace Tev

// What a window shows: every window paints into a surface of its own, a bitmap as large as its
// window rectangle that follows the window's size (what was drawn stays where the sizes
// overlap, new parts are white). A window's device context (GetDC, BeginPaint) draws into it;
// a snapshot composes a window's surface with those of its visible descendants.
#pragma once

#include <cstdint>

#include "platform/gdi/image.h"
#include "platform/win_types.h"

namespace ui {

// The surface of `window`, made on demand; null when there is no such window.
HBITMAP SurfaceOf(HWND window);

// A see-through window (extended style WS_EX_TRANSPARENT) shows what lies below it wherever it
// has not painted since its surface was cleared: a group box, which only draws its frame and
// caption around the controls inside it.
inline constexpr std::uint32_t kSeeThrough = 0;
void ClearSurface(HWND window);

// Copies what the parent painted beneath the window into the window's surface: a control that
// paints with the null brush (a transparent background) then draws over the parent's
// background rather than over its own previous picture.
void ShowParentThrough(HWND window);

// Paints what waits for painting, then composes the window's surface and those of its
// visible descendants (bottom of the z-order first).
gdi::Image Snapshot(HWND window);

}  // namespace ui

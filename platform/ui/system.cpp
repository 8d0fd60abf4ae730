// System colours (changing them: GDI keeps the table), metrics and parameters, monitors, window
// animation, beeps, stock icons, and the diagnostics of the headless model.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/gdi/gdi_objects.h"
#include "platform/text/ascii_case.h"
#include "platform/ui/headless.h"
#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

using ui::Find;
using ui::Windows;

namespace {

std::vector<ui::Monitor>& MonitorList() {
    static std::vector<ui::Monitor> monitors{
        ui::Monitor{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}}};
    return monitors;
}

bool g_tooltipAnimation = true;
bool g_tooltipFade = true;
int g_beeps = 0;
int g_animations = 0;

HMONITOR MonitorHandle(std::size_t index) {
    return reinterpret_cast<HMONITOR>(index + 1);
}

long DistanceTo(const RECT& r, POINT p) {
    const long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    const long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return dx * dx + dy * dy;
}

void CountClass(HWND window, const char16_t* name, std::size_t* count) {
    ui::WindowRecord* record = Find(window);
    if (record == nullptr)
        return;
    // Class names ignore case here as everywhere, so that a class still in use under
    // another spelling of its name is counted.
    if (record->windowClass != nullptr &&
        text::EqualIgnoringAsciiCase(record->windowClass->name, name)) {
        ++*count;
    }
    const std::vector<HWND> children = record->children;
    for (HWND child : children)
        CountClass(child, name, count);
}

}  // namespace

BOOL SetSysColors(int count, const int* indices, const COLORREF* colours) {
    if (count < 0 || (count > 0 && (indices == nullptr || colours == nullptr)))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        if (indices[i] >= 0 && indices[i] < kSystemColorCount) {
            gdi::SetSystemColour(indices[i], colours[i]);
        }
    }
    for (HWND top : ui::TopLevelWindows()) {
        if (IsWindow(top))
            SendMessageW(top, WM_SYSCOLORCHANGE, 0, 0);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return RectWidth(MonitorList().front().area);
        case SM_CYSCREEN:
            return RectHeight(MonitorList().front().area);
        case SM_CYCAPTION:
            return 22;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        default:
            return 0;
    }
}

BOOL SystemParametersInfoW(UINT action, UINT param, void* value, UINT) {
    switch (action) {
        case SPI_GETWORKAREA:
            if (value == nullptr)
                return FALSE;
            *static_cast<RECT*>(value) = MonitorList().front().workArea;
            return TRUE;
        case SPI_GETTOOLTIPANIMATION:
            if (value == nullptr)
                return FALSE;
            *static_cast<BOOL*>(value) = g_tooltipAnimation ? TRUE : FALSE;
            return TRUE;
        case SPI_GETTOOLTIPFADE:
            if (value == nullptr)
                return FALSE;
            *static_cast<BOOL*>(value) = g_tooltipFade ? TRUE : FALSE;
            return TRUE;
        case SPI_SETTOOLTIPANIMATION:
            g_tooltipAnimation = param != 0;
            return TRUE;
        case SPI_SETTOOLTIPFADE:
            g_tooltipFade = param != 0;
            return TRUE;
        default:
            return FALSE;
    }
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    const auto& monitors = MonitorList();
    std::size_t nearest = 0;
    long best = -1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const long distance = DistanceTo(monitors[i].area, point);
        if (distance == 0)
            return MonitorHandle(i);
        if (best < 0 || distance < best) {
            best = distance;
            nearest = i;
        }
    }
    if (flags == MONITOR_DEFAULTTONEAREST)
        return MonitorHandle(nearest);
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return MonitorHandle(0);
    return nullptr;
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
    RECT r{};
    if (!GetWindowRect(window, &r))
        return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorHandle(0);
    return MonitorFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, flags);
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
    const auto index = reinterpret_cast<std::uintptr_t>(monitor);
    if (info == nullptr || index == 0 || index > MonitorList().size())
        return FALSE;
    const ui::Monitor& m = MonitorList()[index - 1];
    info->rcMonitor = m.area;
    info->rcWork = m.workArea;
    info->dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

BOOL AnimateWindow(HWND window, DWORD, DWORD flags) {
    if (!IsWindow(window))
        return FALSE;
    ++g_animations;
    // The animation's end state at once: the virtual clock does not move for it.
    if ((flags & AW_HIDE) != 0) {
        ShowWindow(window, SW_HIDE);
    } else {
        ShowWindow(window, (flags & AW_ACTIVATE) != 0 ? SW_SHOW : SW_SHOWNA);
    }
    return TRUE;
}

BOOL MessageBeep(UINT) {
    ++g_beeps;
    return TRUE;
}

HICON LoadIconW(HINSTANCE instance, int id) {
    if (instance != nullptr || id < IDI_APPLICATION || id > IDI_INFORMATION)
        return nullptr;
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(id));
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

namespace ui {

int PaintCount(HWND window) {
    ui::WindowRecord* record = Find(window);
    return record == nullptr ? 0 : record->paintCount;
}

bool NeedsPaint(HWND window) {
    ui::WindowRecord* record = Find(window);
    return record != nullptr && record->needsPaint;
}

int BeepCount() {
    return g_beeps;
}
int AnimationCount() {
    return g_animations;
}

int TemplateIdOf(HWND window) {
    ui::WindowRecord* record = Find(window);
    return record == nullptr ? 0 : record->templateId;
}

std::size_t CountWindowsOfClass(const char16_t* className) {
    std::size_t count = 0;
    CountClass(Windows().Desktop(), className, &count);
    return count;
}

std::vector<HWND> TopLevelWindows() {
    return Find(Windows().Desktop())->children;
}

void SetMonitors(const std::vector<Monitor>& monitors) {
    if (!monitors.empty())
        MonitorList() = monitors;
}

std::vector<Monitor> Monitors() {
    return MonitorList();
}

void SetTooltipEffects(bool animation, bool fade) {
    g_tooltipAnimation = animation;
    g_tooltipFade = fade;
}

}  // namespace ui

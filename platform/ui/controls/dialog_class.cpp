// The dialog manager: dialogs built from templates, the dialog class's default processing,
// modal runs through the user-interface driver, tab order and dialog units.
#include <vector>

#include "platform/gdi/gdi_objects.h"
#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"
#include "platform/ui/driver.h"
#include "platform/ui/headless.h"
#include "platform/ui/internal.h"

namespace ui {
namespace {

bool IsTabStopCandidate(HWND window) {
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

// Tab stops in tab order; child dialogs that are control parents are entered, not stopped at.
void CollectTabStops(HWND parent, std::vector<HWND>* out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsTabStopCandidate(child))
            continue;
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_EXSTYLE));
        if ((exStyle & WS_EX_CONTROLPARENT) != 0) {
            CollectTabStops(child, out);
        } else if ((StyleOf(child) & WS_TABSTOP) != 0) {
            out->push_back(child);
        }
    }
}

HWND FirstTabStop(HWND dialog) {
    std::vector<HWND> stops;
    CollectTabStops(dialog, &stops);
    return stops.empty() ? nullptr : stops.front();
}

HFONT TemplateFont(const DialogTemplate& t) {
    const LOGFONTW font = gdi::FaceFont(t.fontFace != nullptr ? t.fontFace : u"MS Shell Dlg",
                                        -MulDiv(t.pointSize, 96, 72));
    return CreateFontIndirectW(&font);
}

SIZE BaseUnits(HFONT font) {
    const gdi::Font* metrics = gdi::FontOf(font);
    return SIZE{metrics->charWidth, metrics->height};
}

RECT ToPixels(SIZE base, int x, int y, int cx, int cy) {
    const int left = MulDiv(x, base.cx, 4);
    const int top = MulDiv(y, base.cy, 8);
    return RECT{left, top, left + MulDiv(cx, base.cx, 4), top + MulDiv(cy, base.cy, 8)};
}

}  // namespace

bool IsDialogWindow(HWND window) {
    WindowRecord* record = Find(window);
    return record != nullptr && record->windowClass != nullptr &&
           record->windowClass->name == u"#32770";
}

LRESULT DialogClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcW(window, message, wParam, lParam);
}

}  // namespace ui

using ui::Find;
using ui::WindowRecord;

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = Find(dialog);
    if (record == nullptr)
        return 0;
    if (record->dialogProcedure != nullptr) {
        const INT_PTR handled = record->dialogProcedure(dialog, message, wParam, lParam);
        if (handled != 0) {
            if (ui::DialogProcedureAnswersDirectly(message))
                return handled;
            record = Find(dialog);
            return record == nullptr ? 0 : record->dialogResult;
        }
        record = Find(dialog);
        if (record == nullptr)
            return 0;
    }
    switch (message) {
        case WM_CLOSE:
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return 0;
        case WM_ERASEBKGND: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            HBRUSH brush = reinterpret_cast<HBRUSH>(
                SendMessageW(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
            if (brush == nullptr)
                brush = GetSysColorBrush(COLOR_BTNFACE);
            RECT client;
            GetClientRect(dialog, &client);
            FillRect(dc, &client, brush);
            return 1;
        }
        case DM_GETDEFID:
            return MAKELPARAM(record->defaultId, DC_HASDEFID);
        case DM_SETDEFID:
            record->defaultId = static_cast<WORD>(wParam);
            ui::CheckDefaultButton(ui::TopDialogOf(dialog), GetFocus());
            return TRUE;
        case WM_NEXTDLGCTL: {
            HWND next = nullptr;
            if (LOWORD(lParam) != 0) {
                next = reinterpret_cast<HWND>(wParam);
            } else {
                next = GetNextDlgTabItem(dialog, GetFocus(), wParam != 0 ? TRUE : FALSE);
            }
            if (next != nullptr)
                SetFocus(next);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(dialog, focus))
                    record->savedFocus = focus;
                return 0;
            }
            [[fallthrough]];
        case WM_SETFOCUS: {
            HWND target = record->savedFocus;
            if (target == nullptr || !IsChild(dialog, target) || !IsWindowEnabled(target)) {
                target = ui::FirstTabStop(dialog);
            }
            if (target != nullptr && GetFocus() != target && !IsChild(target, GetFocus())) {
                SetFocus(target);
            }
            return 0;
        }
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(record->dialogFont);
        case WM_NCDESTROY:
            if (record->dialogFont != nullptr) {
                DeleteObject(record->dialogFont);
                record->dialogFont = nullptr;
            }
            return 0;
        default:
            return DefWindowProcW(dialog, message, wParam, lParam);
    }
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, const DialogTemplate* dialogTemplate,
                                HWND parent, DLGPROC procedure, LPARAM initParam) {
    if (dialogTemplate == nullptr)
        return nullptr;
    const DialogTemplate& t = *dialogTemplate;
    const bool child = (t.style & WS_CHILD) != 0;
    if (child && !IsWindow(parent))
        return nullptr;

    const HFONT font = ui::TemplateFont(t);
    const SIZE base = ui::BaseUnits(font);
    RECT frame = ui::ToPixels(base, t.x, t.y, t.cx, t.cy);
    DWORD exStyle = t.exStyle;
    if ((t.style & DS_CONTROL) != 0)
        exStyle |= WS_EX_CONTROLPARENT;
    if ((t.style & DS_MODALFRAME) != 0)
        exStyle |= WS_EX_DLGMODALFRAME;
    AdjustWindowRectEx(&frame, t.style, FALSE, exStyle);
    if (!child && parent != nullptr) {
        // A top-level dialog's position counts from its owner's client area.
        POINT origin{0, 0};
        ClientToScreen(parent, &origin);
        OffsetRect(&frame, origin.x, origin.y);
    }
    const HWND dialog =
        CreateWindowExW(exStyle, u"#32770", t.caption, t.style & ~WS_VISIBLE, frame.left, frame.top,
                        RectWidth(frame), RectHeight(frame), parent, nullptr, instance, nullptr);
    if (dialog == nullptr) {
        DeleteObject(font);
        return nullptr;
    }
    WindowRecord* record = Find(dialog);
    record->dialogFont = font;
    record->dialogProcedure = procedure;

    SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (std::size_t i = 0; i < t.itemCount; ++i) {
        const DialogItemTemplate& item = t.items[i];
        const RECT r = ui::ToPixels(base, item.x, item.y, item.cx, item.cy);
        const HWND control = CreateWindowExW(
            item.exStyle, item.className, item.text, item.style | WS_CHILD, r.left, r.top,
            RectWidth(r), RectHeight(r), dialog,
            reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id)), instance, nullptr);
        if (control == nullptr) {
            // A control that cannot be made fails the whole dialog, as on Windows.
            DestroyWindow(dialog);
            return nullptr;
        }
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    const HWND first = ui::FirstTabStop(dialog);
    const LRESULT wantsFocus =
        SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog))
        return nullptr;
    if ((t.style & WS_VISIBLE) != 0)
        ShowWindow(dialog, child ? SW_SHOWNA : SW_SHOWNORMAL);
    if (wantsFocus != 0 && first != nullptr && IsWindowVisible(dialog))
        SetFocus(first);
    return dialog;
}

namespace {

// Ends and destroys a modal dialog whatever happens in its run, and gives the owner back.
class ModalRun {
public:
    ModalRun(HWND dialog, HWND owner) : dialog_(dialog), owner_(owner) {
        ownerWasEnabled_ = owner_ != nullptr && IsWindowEnabled(owner_);
        if (ownerWasEnabled_)
            EnableWindow(owner_, FALSE);
    }
    ~ModalRun() {
        if (ownerWasEnabled_ && IsWindow(owner_))
            EnableWindow(owner_, TRUE);
        if (IsWindow(dialog_))
            DestroyWindow(dialog_);
        if (owner_ != nullptr && IsWindow(owner_) && IsWindowVisible(owner_)) {
            SetActiveWindow(owner_);
        }
    }
    ModalRun(const ModalRun&) = delete;
    ModalRun& operator=(const ModalRun&) = delete;

private:
    HWND dialog_;
    HWND owner_;
    bool ownerWasEnabled_ = false;
};

}  // namespace

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, const DialogTemplate* dialogTemplate,
                                HWND owner, DLGPROC procedure, LPARAM initParam) {
    if (dialogTemplate == nullptr)
        return -1;
    DialogTemplate hidden = *dialogTemplate;
    hidden.style &= ~WS_VISIBLE;
    const HWND dialog = CreateDialogIndirectParamW(instance, &hidden, owner, procedure, initParam);
    if (dialog == nullptr)
        return -1;
    return ui::RunModalDialog(dialog, owner);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    WindowRecord* record = Find(dialog);
    if (record == nullptr || !ui::IsDialogWindow(dialog))
        return FALSE;
    record->dialogEnded = true;
    record->endResult = result;
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
    WindowRecord* record = Find(dialog);
    if (record == nullptr || rect == nullptr)
        return FALSE;
    const SIZE base = ui::BaseUnits(record->dialogFont);
    *rect = RECT{MulDiv(rect->left, base.cx, 4), MulDiv(rect->top, base.cy, 8),
                 MulDiv(rect->right, base.cx, 4), MulDiv(rect->bottom, base.cy, 8)};
    return TRUE;
}

LONG GetDialogBaseUnits() {
    return static_cast<LONG>(MAKELPARAM(kDialogBaseUnitX, kDialogBaseUnitY));
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> stops;
    ui::CollectTabStops(dialog, &stops);
    if (stops.empty())
        return nullptr;
    std::size_t at = stops.size();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == control)
            at = i;
    }
    if (at == stops.size())
        return previous ? stops.back() : stops.front();
    if (previous)
        return stops[(at + stops.size() - 1) % stops.size()];
    return stops[(at + 1) % stops.size()];
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND button = GetDlgItem(dialog, id);
    if (button == nullptr)
        return FALSE;
    SendMessageW(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetDlgItem(dialog, id), message, wParam, lParam);
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    return SetWindowTextW(GetDlgItem(dialog, id), text);
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int size) {
    return static_cast<UINT>(GetWindowTextW(GetDlgItem(dialog, id), buffer, size));
}

namespace ui {

INT_PTR RunModalDialog(HWND dialog, HWND owner) {
    INT_PTR result = IDCANCEL;
    {
        ModalRun run(dialog, owner);
        ShowWindow(dialog, SW_SHOWNORMAL);
        PumpMessages();
        if (!IsDialogEnded(dialog))
            CurrentDriver().RunModal(dialog);
        if (IsWindow(dialog) && !IsDialogEnded(dialog)) {
            // The user went away: the dialog is cancelled as if Escape were pressed.
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            if (IsWindow(dialog) && !IsDialogEnded(dialog))
                EndDialog(dialog, IDCANCEL);
        }
        if (WindowRecord* record = Find(dialog))
            result = record->endResult;
    }
    PumpMessages();
    return result;
}

bool IsDialogEnded(HWND dialog) {
    WindowRecord* record = Find(dialog);
    return record == nullptr || record->dialogEnded;
}

bool DialogProcedureAnswersDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_INITDIALOG;
}

void RecordTemplateId(HWND dialog, int templateId) {
    if (WindowRecord* record = Find(dialog))
        record->templateId = templateId;
}

}  // namespace ui

// The "Edit" class: a single-line edit with selection, text limit, read-only and digits-only
// styles, and the notifications of a real edit. With automatic horizontal scrolling the text
// scrolls to keep the caret in view; without it the edit takes no typed character that would
// not fit its width, so that it holds what it shows. A double click selects a word.
#include <algorithm>

#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"

namespace ui {
namespace {

constexpr std::size_t kDefaultLimit = 30000;
constexpr std::size_t kLargestLimit = 0x7FFFFFFE;

struct EditData : ClassData {
    std::size_t selectionStart = 0;
    std::size_t selectionEnd = 0;  // the caret
    std::size_t limit = kDefaultLimit;
    std::size_t scroll = 0;  // the first character shown
    bool modified = false;
    bool focused = false;
    HFONT font = nullptr;
};

// The width the text is drawn in: the client area less a pixel on each side.
int TextRoom(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right - client.left - 2;
}

bool Scrolls(HWND window) {
    return (StyleOf(window) & ES_AUTOHSCROLL) != 0;
}

std::u16string& TextRef(HWND window) {
    return Find(window)->text;
}

void Changed(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    NotifyParent(window, EN_UPDATE);
    if (IsWindow(window))
        NotifyParent(window, EN_CHANGE);
}

void ClampSelection(HWND window, EditData& data) {
    const std::size_t length = TextRef(window).size();
    data.selectionStart = std::min(data.selectionStart, length);
    data.selectionEnd = std::min(data.selectionEnd, length);
}

// Replaces the selection with `text` as far as the limit allows; false when nothing fits.
bool ReplaceSelection(HWND window, EditData& data, std::u16string text, bool limited) {
    ClampSelection(window, data);
    std::u16string& current = TextRef(window);
    const std::size_t from = std::min(data.selectionStart, data.selectionEnd);
    const std::size_t to = std::max(data.selectionStart, data.selectionEnd);
    const std::size_t remaining = current.size() - (to - from);
    if (limited && remaining + text.size() > data.limit) {
        text.resize(data.limit > remaining ? data.limit - remaining : 0);
        if (text.empty() && from == to)
            return false;
    }
    if (limited && !Scrolls(window) && !text.empty()) {
        // As much of the text as fits the edit's width.
        std::u16string result = current;
        result.replace(from, to - from, text);
        while (!text.empty() && TextWidthIn(window, data.font, result) > TextRoom(window)) {
            text.pop_back();
            result.erase(from + text.size(), 1);
        }
        if (text.empty())
            return false;
    }
    current.replace(from, to - from, text);
    data.selectionStart = data.selectionEnd = from + text.size();
    data.modified = true;
    return true;
}

void TypeCharacter(HWND window, EditData& data, char16_t c) {
    const DWORD style = StyleOf(window);
    if ((style & ES_READONLY) != 0) {
        MessageBeep(0);
        return;
    }
    if (c == VK_BACK) {
        ClampSelection(window, data);
        if (data.selectionStart == data.selectionEnd) {
            if (data.selectionEnd == 0)
                return;
            data.selectionStart = data.selectionEnd - 1;
        }
        ReplaceSelection(window, data, u"", false);
        Changed(window);
        return;
    }
    if (c < 0x20)
        return;  // Enter, Tab and Escape belong to the dialog
    if ((style & ES_NUMBER) != 0 && (c < u'0' || c > u'9')) {
        MessageBeep(0);
        return;
    }
    if (!ReplaceSelection(window, data, std::u16string(1, c), true)) {
        MessageBeep(0);
        NotifyParent(window, EN_MAXTEXT);
        return;
    }
    Changed(window);
}

// Scrolls a scrolling edit so that the caret is in view; others always show their start.
void KeepCaretInView(HWND window, EditData& data) {
    const std::u16string& text = TextRef(window);
    if (!Scrolls(window)) {
        data.scroll = 0;
        return;
    }
    const std::u16string_view all(text);
    const int room = TextRoom(window);
    const auto width = [&](std::size_t from, std::size_t to) {
        return TextWidthIn(window, data.font, all.substr(from, to - from));
    };
    data.scroll = std::min({data.scroll, data.selectionEnd, text.size()});
    while (data.scroll < data.selectionEnd && width(data.scroll, data.selectionEnd) >= room)
        ++data.scroll;
    // No room left empty at the end while characters before are hidden.
    while (data.scroll > 0 && width(data.scroll - 1, text.size()) < room)
        --data.scroll;
}

void Paint(HWND window, HDC dc) {
    EditData& data = DataOf<EditData>(window);
    ClampSelection(window, data);
    KeepCaretInView(window, data);
    PaintWith(window, dc, data.font, [&](const RECT& client) {
        const DWORD style = StyleOf(window);
        const bool enabled = IsWindowEnabled(window) != 0;
        const bool readOnly = (style & ES_READONLY) != 0;
        const HBRUSH background =
            AskColours(window, dc, enabled && !readOnly ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
        FillRect(dc, &client, background);
        if (!enabled)
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        RECT r{client.left + 1, client.top + 1, client.right - 1, client.bottom};
        UINT format = DT_SINGLELINE | DT_NOPREFIX;
        if ((style & ES_RIGHT) != 0)
            format |= DT_RIGHT;
        if ((style & ES_CENTER) != 0)
            format |= DT_CENTER;
        const std::u16string text = TextOf(window).substr(data.scroll);
        DrawTextW(dc, text.c_str(), -1, &r, format);
        // Selection and caret in the characters shown.
        const auto shown = [&](std::size_t index) {
            return index > data.scroll ? index - data.scroll : 0;
        };
        const std::size_t from = shown(std::min(data.selectionStart, data.selectionEnd));
        const std::size_t to = shown(std::max(data.selectionStart, data.selectionEnd));
        if (data.focused && from < to && (format & (DT_RIGHT | DT_CENTER)) == 0) {
            SIZE before;
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(from), &before);
            RECT selected = r;
            selected.left += before.cx;
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            SetBkMode(dc, OPAQUE);
            const std::u16string part = text.substr(from, to - from);
            DrawTextW(dc, part.c_str(), -1, &selected, DT_SINGLELINE | DT_NOPREFIX);
        }
        if (data.focused && from == to && (format & (DT_RIGHT | DT_CENTER)) == 0) {
            // The caret: a steady line where the next character goes.
            SIZE before;
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(from), &before);
            TEXTMETRICW metrics;
            GetTextMetricsW(dc, &metrics);
            const int x = std::min<int>(r.left + before.cx, r.right - 1);
            RECT caret{x, r.top, x + 1, std::min<int>(r.top + metrics.tmHeight, client.bottom - 1)};
            FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    });
}

std::size_t IndexAt(HWND window, EditData& data, int x) {
    const TEXTMETRICW metrics = FontMetricsOf(window, data.font);
    const int index =
        (x - 1 + metrics.tmAveCharWidth / 2) / std::max<LONG>(metrics.tmAveCharWidth, 1);
    return std::min<std::size_t>(data.scroll + static_cast<std::size_t>(std::max(index, 0)),
                                 TextRef(window).size());
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Selects the word at the character under x: the run of blanks or of other characters that
// holds it (at the end of the text, the run before it).
void SelectWordAt(HWND window, EditData& data, int x) {
    const std::u16string& text = TextRef(window);
    std::size_t at = IndexAt(window, data, x);
    if (text.empty())
        return;
    if (at == text.size())
        --at;
    const bool blank = IsBlank(text[at]);
    std::size_t from = at;
    while (from > 0 && IsBlank(text[from - 1]) == blank)
        --from;
    std::size_t to = at + 1;
    while (to < text.size() && IsBlank(text[to]) == blank)
        ++to;
    data.selectionStart = from;
    data.selectionEnd = to;
}

}  // namespace

LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EditData& data = DataOf<EditData>(window);
    switch (message) {
        case WM_SETTEXT: {
            // The limit holds only for what the user types.
            const auto* text = reinterpret_cast<LPCWSTR>(lParam);
            TextRef(window) = text != nullptr ? text : u"";
            data.selectionStart = data.selectionEnd = 0;
            data.scroll = 0;
            data.modified = false;
            Changed(window);
            return TRUE;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case EM_GETSEL: {
            ClampSelection(window, data);
            const auto from = static_cast<DWORD>(std::min(data.selectionStart, data.selectionEnd));
            const auto to = static_cast<DWORD>(std::max(data.selectionStart, data.selectionEnd));
            if (wParam != 0)
                *reinterpret_cast<DWORD*>(wParam) = from;
            if (lParam != 0)
                *reinterpret_cast<DWORD*>(lParam) = to;
            return MAKELPARAM(static_cast<int>(from), static_cast<int>(to));
        }
        case EM_SETSEL: {
            const std::size_t length = TextRef(window).size();
            const auto start = static_cast<std::intptr_t>(wParam);
            const auto end = static_cast<std::intptr_t>(lParam);
            if (start == -1) {
                data.selectionStart = data.selectionEnd;
            } else {
                data.selectionStart =
                    std::min<std::size_t>(static_cast<std::size_t>(start), length);
                data.selectionEnd =
                    end < 0 ? length : std::min<std::size_t>(static_cast<std::size_t>(end), length);
            }
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        }
        case EM_REPLACESEL: {
            const auto* text = reinterpret_cast<LPCWSTR>(lParam);
            if (ReplaceSelection(window, data, text != nullptr ? text : u"", true)) {
                Changed(window);
            }
            return 0;
        }
        case EM_LIMITTEXT:
            data.limit = wParam == 0 ? kLargestLimit : static_cast<std::size_t>(wParam);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(data.limit);
        case EM_GETMODIFY:
            return data.modified ? TRUE : FALSE;
        case EM_SETMODIFY:
            data.modified = wParam != 0;
            return 0;
        case EM_SETREADONLY: {
            const DWORD style = StyleOf(window);
            SetWindowLongPtrW(
                window, GWL_STYLE,
                static_cast<LONG_PTR>(wParam != 0 ? style | ES_READONLY : style & ~ES_READONLY));
            InvalidateRect(window, nullptr, TRUE);
            return TRUE;
        }
        case WM_CHAR:
            TypeCharacter(window, data, static_cast<char16_t>(wParam));
            return 0;
        case WM_KEYDOWN: {
            ClampSelection(window, data);
            const std::size_t length = TextRef(window).size();
            switch (wParam) {
                case VK_DELETE:
                    if ((StyleOf(window) & ES_READONLY) != 0)
                        return 0;
                    if (data.selectionStart == data.selectionEnd) {
                        if (data.selectionEnd >= length)
                            return 0;
                        data.selectionEnd += 1;
                    }
                    ReplaceSelection(window, data, u"", false);
                    Changed(window);
                    return 0;
                case VK_LEFT:
                    data.selectionEnd = data.selectionEnd > 0 ? data.selectionEnd - 1 : 0;
                    break;
                case VK_RIGHT:
                    data.selectionEnd = std::min(data.selectionEnd + 1, length);
                    break;
                case VK_HOME:
                    data.selectionEnd = 0;
                    break;
                case VK_END:
                    data.selectionEnd = length;
                    break;
                default:
                    return 0;
            }
            data.selectionStart = data.selectionEnd;
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (GetFocus() != window)
                SetFocus(window);
            data.selectionStart = data.selectionEnd = IndexAt(window, data, GET_X_LPARAM(lParam));
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (GetFocus() != window)
                SetFocus(window);
            SelectWordAt(window, data, GET_X_LPARAM(lParam));
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_SETFOCUS:
            data.focused = true;
            InvalidateRect(window, nullptr, TRUE);
            NotifyParent(window, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            data.focused = false;
            InvalidateRect(window, nullptr, TRUE);
            NotifyParent(window, EN_KILLFOCUS);
            return 0;
        default:
            return DrawnControlMessage(window, message, wParam, lParam, data.font,
                                       [&](HDC dc) { Paint(window, dc); });
    }
}

}  // namespace ui

#include "dialog/tab_page_brushes.h"

#include "platform/gdi/gdi.h"
#include "platform/ui/user.h"

namespace VavazaZavidi {

namespace {

HBRUSH DrawPicture(HWND tabs, int width, int height) {
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP picture = CreateCompatibleBitmap(memory, width, height);
    const HGDIOBJ previous = SelectObject(memory, picture);
    SendMessageW(tabs, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(memory, previous);
    const HBRUSH brush = CreatePatternBrush(picture);
    DeleteObject(picture);
    DeleteDC(memory);
    return brush;
}

}  // namespace

TabPageBrushes::~TabPageBrushes() {
    Forget();
}

void TabPageBrushes::Update(HWND tabs) {
    RECT rect{};
    ::GetWindowRect(tabs, &rect);
    const std::pair<int, int> size(RectWidth(rect), RectHeight(rect));
    if (outdated_ != nullptr) {
        DeleteObject(outdated_);
        outdated_ = nullptr;
        current_ = nullptr;
    }
    const auto found = kept_.find(size);
    if (found != kept_.end()) {
        current_ = found->second;
        return;
    }
    current_ = DrawPicture(tabs, size.first, size.second);
    if (current_ != nullptr)
        kept_.emplace(size, current_);
}

void TabPageBrushes::Redraw(HWND tabs) {
    Forget();
    Update(tabs);
}

void TabPageBrushes::Outdate() {
    for (const auto& [size, brush] : kept_) {
        if (brush == current_)
            outdated_ = brush;
        else
            DeleteObject(brush);
    }
    kept_.clear();
}

void TabPageBrushes::Forget() {
    for (const auto& [size, brush] : kept_)
        DeleteObject(brush);
    kept_.clear();
    if (outdated_ != nullptr)
        DeleteObject(outdated_);
    outdated_ = nullptr;
    current_ = nullptr;
}

}  // namespace VavazaZavidi

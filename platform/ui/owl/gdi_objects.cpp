#include "platform/ui/owl/gdi_objects.h"

#include <stdexcept>

#include "platform/module/resource.h"
#include "platform/ui/owl/module.h"

namespace owl {

TMemoryDC::TMemoryDC(HDC reference) : TDC(CreateCompatibleDC(reference)) {}

TMemoryDC::~TMemoryDC() {
    if (saved_ != 0)
        RestoreDC(dc_, saved_);
    saved_ = 0;
    if (oldBitmap_ != nullptr)
        SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
}

void TMemoryDC::SelectBitmap(HBITMAP bitmap) {
    const HGDIOBJ old = SelectObject(dc_, bitmap);
    if (oldBitmap_ == nullptr)
        oldBitmap_ = old;
}

TFont::TFont(const LOGFONTW& font) : handle_(CreateFontIndirectW(&font)), autoDelete_(true) {}

TFont::TFont(HFONT handle, bool autoDelete) : handle_(handle), autoDelete_(autoDelete) {}

TFont::~TFont() {
    if (autoDelete_ && handle_ != nullptr)
        DeleteObject(handle_);
}

LOGFONTW TFont::GetObject() const {
    LOGFONTW font;
    GetObjectW(handle_, sizeof font, &font);
    return font;
}

int TFont::GetHeight() const {
    return static_cast<int>(GetObject().lfHeight);
}

namespace {

LOGFONTW StockFont() {
    LOGFONTW font;
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

}  // namespace

TDefaultGUIFont2::TDefaultGUIFont2() : TFont(StockFont()) {}

TGadgetWindowFont2::TGadgetWindowFont2() : TFont(StockFont()) {}

TBitmap::TBitmap(const TModule& module, int id)
    : handle_(LoadBitmapW(module.GetHandle(), MAKEINTRESOURCEW(static_cast<WORD>(id)))),
      autoDelete_(true) {
    if (handle_ == nullptr)
        throw std::runtime_error("bitmap resource " + std::to_string(id) + " not found");
}

TBitmap::TBitmap(HBITMAP handle, bool autoDelete) : handle_(handle), autoDelete_(autoDelete) {}

TBitmap::TBitmap(int width, int height)
    : handle_(CreateBitmap(width, height, 1, 32, nullptr)), autoDelete_(true) {}

TBitmap::~TBitmap() {
    if (autoDelete_ && handle_ != nullptr)
        DeleteObject(handle_);
}

int TBitmap::Width() const {
    BITMAP info;
    return GetObjectW(handle_, sizeof info, &info) != 0 ? static_cast<int>(info.bmWidth) : 0;
}

int TBitmap::Height() const {
    BITMAP info;
    return GetObjectW(handle_, sizeof info, &info) != 0 ? static_cast<int>(info.bmHeight) : 0;
}

void TBitmap::MapColor(COLORREF from, COLORREF to) {
    TMemoryDC dc;
    dc.SelectBitmap(handle_);
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            if (GetPixel(dc, x, y) == (from & 0x00FFFFFF))
                SetPixel(dc, x, y, to);
        }
    }
}

}  // namespace owl

// The toolkit's owners of GDI objects: device contexts, fonts and bitmaps. Each deletes what
// it made (or was given to own) when it goes.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/ui/owl/color.h"
#include "platform/ui/owl/geometry.h"

namespace owl {

class TModule;

// A device context the caller lends (paint and print contexts); its state is restored when
// the wrapper goes.
class TDC {
public:
    explicit TDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    virtual ~TDC() {
        if (saved_ != 0)
            RestoreDC(dc_, saved_);
    }
    TDC(const TDC&) = delete;
    TDC& operator=(const TDC&) = delete;

    HDC GetHDC() const { return dc_; }
    operator HDC() const { return dc_; }

protected:
    HDC dc_;
    int saved_;
};

// A memory context compatible with `reference`, deleted when it goes.
class TMemoryDC : public TDC {
public:
    explicit TMemoryDC(HDC reference = nullptr);
    ~TMemoryDC() override;
    void SelectBitmap(HBITMAP bitmap);

private:
    HGDIOBJ oldBitmap_ = nullptr;
};

class TFont {
public:
    explicit TFont(const LOGFONTW& font);
    TFont(HFONT handle, bool autoDelete);
    virtual ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    HFONT GetHandle() const { return handle_; }
    operator HFONT() const { return handle_; }
    LOGFONTW GetObject() const;
    int GetHeight() const;

private:
    HFONT handle_;
    bool autoDelete_;
};

// A copy of the stock default GUI font.
class TDefaultGUIFont2 : public TFont {
public:
    TDefaultGUIFont2();
};

// The standard font of gadget windows (status bars, tool tips).
class TGadgetWindowFont2 : public TFont {
public:
    TGadgetWindowFont2();
};

class TBitmap {
public:
    // Loads bitmap resource `id` of the module; throws std::runtime_error when it is missing.
    TBitmap(const TModule& module, int id);
    TBitmap(HBITMAP handle, bool autoDelete);
    TBitmap(int width, int height);  // a 32-bit bitmap, black
    virtual ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    HBITMAP GetHandle() const { return handle_; }
    operator HBITMAP() const { return handle_; }
    int Width() const;
    int Height() const;
    TSize Size() const { return TSize(Width(), Height()); }
    // Replaces every pixel of colour `from` by `to`.
    void MapColor(COLORREF from, COLORREF to);

private:
    HBITMAP handle_;
    bool autoDelete_;
};

}  // namespace owl

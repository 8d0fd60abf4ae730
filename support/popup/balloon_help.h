// WTL::CBalloonHelp: a balloon with an icon, a bold title, a text and a close box, shown
// next to a control. It captures the mouse while it is open and closes when the mouse leaves
// the area it allows, on a click or a key, or when its time-out runs out.
//
// Options named here (others are kept but mean nothing to this balloon):
//   0x00004 topmost   0x01000 deletes itself after its window is gone
//   0x02000 no fade-in   0x04000 no fade-out   0x08000 not shown by Create
//   0x20000 the mouse may also move inside the balloon (grown by the tolerance)
//   0x80000 the mouse may move anywhere inside the anchor rectangle
// Drawing uses the theme classes "TOOLTIP" and "TEXTSTYLE" when visual styles are on, and the
// tooltip colours otherwise.
#pragma once

#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/ui/atl/atl_window.h"
#include "support/string/tev_string.h"
#include "support/theme/theme_data.h"

namespace WTL {

class CBalloonHelp : public ATL::CWindowImpl<CBalloonHelp> {
public:
    static constexpr DWORD kTopmost = 0x00004;
    static constexpr DWORD kDeleteThisOnClose = 0x01000;
    static constexpr DWORD kDisableFadeIn = 0x02000;
    static constexpr DWORD kDisableFadeOut = 0x04000;
    static constexpr DWORD kDelayShow = 0x08000;
    static constexpr DWORD kAllowMoveInBalloon = 0x20000;
    static constexpr DWORD kAnchorRectArea = 0x80000;
    // The text layout: centred, word-wrapped lines, unclipped, as an edit control breaks them
    // (8465).
    static constexpr UINT kDefaultLayout = DT_EDITCONTROL | DT_NOCLIP | DT_WORDBREAK | DT_CENTER;
    static constexpr int kTitleGap = 8;
    static constexpr int kMargin = 8;

    CBalloonHelp();
    ~CBalloonHelp() override;

    BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result, DWORD mapId = 0) override;
    void OnFinalMessage(HWND window) override;
    // Shows the balloon (see the class comment); a balloon whose window exists only takes the
    // new title. False when the window cannot be made.
    virtual BOOL Create(HWND parent, LPCWSTR title, LPCWSTR content, const POINT* anchor,
                        DWORD options, LPCWSTR link = nullptr, UINT timeout = 0,
                        UINT layoutFlags = kDefaultLayout);
    // Title and text sizes with 8 pixels between them, no wider than the maximum width.
    virtual SIZE CalcContentSize(HDC dc);
    virtual bool IsMouseInAllowedArea(POINT screenPoint);

    static ATL::CWndClassInfo& GetWndClassInfo();

    void SetMouseMoveTolerance(int pixels) { tolerance_ = pixels; }
    void SetIcon(HICON icon) { icon_ = icon; }
    void SetAnchorRect(const RECT& rect) { anchorRect_ = rect; }
    void SetMaxWidth(int pixels) { maxWidth_ = pixels; }
    // Closes the balloon: fades out unless told not to, then posts WM_CLOSE to itself.
    void Hide();

    DWORD Options() const { return options_; }
    int MouseMoveTolerance() const { return tolerance_; }
    DWORD TextColour() const { return textColour_; }
    DWORD BackgroundColour() const { return backgroundColour_; }
    UINT LayoutFlags() const { return layoutFlags_; }
    SIZE CloseBoxSize() const { return closeBox_; }
    HICON Icon() const { return icon_; }
    const Tev::String& Title() const { return title_; }
    const Tev::String& Content() const { return content_; }
    const Tev::String& Link() const { return link_; }
    UINT Timeout() const { return timeout_; }
    RECT AnchorRect() const { return anchorRect_; }
    POINT StartPoint() const { return start_; }

private:
    void Paint(HDC dc);
    void PaintClassic(HDC dc, const RECT& client);
    void PaintContent(HDC dc, const RECT& client);
    static COLORREF Resolve(DWORD colour);

    DWORD options_ = 3;
    int tolerance_ = 3;
    DWORD textColour_ = 0x80000017;        // COLOR_INFOTEXT as an OLE system colour
    DWORD backgroundColour_ = 0x80000018;  // COLOR_INFOBK
    UINT layoutFlags_ = kDefaultLayout;
    SIZE closeBox_{14, 14};
    HFONT textFont_ = nullptr;
    HFONT titleFont_ = nullptr;
    HICON icon_ = nullptr;
    UINT_PTR timer_ = 0;
    int maxWidth_ = 0;
    Tev::String title_;
    Tev::String content_;
    Tev::String link_;
    UINT timeout_ = 0;
    RECT anchorRect_{};
    POINT start_{};
    std::unique_ptr<Tev::ThemeData> balloonTheme_;
    std::unique_ptr<Tev::ThemeData> textTheme_;
};

}  // namespace WTL

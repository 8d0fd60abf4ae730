// Text in the fixed-metric font: measuring, word breaking, prefix underlines and drawing.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/canvas.h"
#include "platform/gdi/fixed_font.h"
#include "platform/gdi/glyphs.h"

using namespace gdi;

namespace {

struct Line {
    std::u16string text;
    std::vector<bool> underlined;
};

struct Layout {
    std::vector<Line> lines;
    int width = 0;  // widest line, pixels
};

// Removes prefix ampersands: "&x" underlines x, "&&" is one ampersand.
Line Unprefix(const std::u16string& text, UINT format) {
    Line line;
    const bool prefixes = (format & DT_NOPREFIX) == 0;
    const bool showUnderline = (format & DT_HIDEPREFIX) == 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (prefixes && text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            line.text.push_back(text[i]);
            line.underlined.push_back(showUnderline && text[i] != u'&');
            continue;
        }
        if (prefixes && text[i] == u'&')
            continue;  // a trailing ampersand shows nothing
        line.text.push_back(text[i]);
        line.underlined.push_back(false);
    }
    return line;
}

Line Slice(const Line& line, std::size_t from, std::size_t to) {
    Line part;
    part.text = line.text.substr(from, to - from);
    part.underlined.assign(line.underlined.begin() + static_cast<std::ptrdiff_t>(from),
                           line.underlined.begin() + static_cast<std::ptrdiff_t>(to));
    return part;
}

// Breaks a paragraph into lines no wider than `maxChars`, between words; a word longer than
// a line stays whole.
void Wrap(const Line& paragraph, std::size_t maxChars, std::vector<Line>* out) {
    const std::u16string& t = paragraph.text;
    const std::size_t n = t.size();
    if (n == 0) {
        out->push_back(paragraph);
        return;
    }
    std::size_t start = 0;
    while (start < n) {
        // Take words while the line stays within the width; the first word always fits.
        std::size_t lineEnd = start;
        for (std::size_t pos = start;;) {
            std::size_t wordEnd = pos;
            while (wordEnd < n && t[wordEnd] == u' ')
                ++wordEnd;
            while (wordEnd < n && t[wordEnd] != u' ')
                ++wordEnd;
            if (wordEnd == pos)
                break;
            const bool fits = wordEnd - start <= maxChars;
            if (!fits && lineEnd > start)
                break;
            lineEnd = wordEnd;
            pos = wordEnd;
            if (!fits)
                break;
        }
        std::size_t visibleEnd = lineEnd;
        while (visibleEnd > start && t[visibleEnd - 1] == u' ')
            --visibleEnd;
        out->push_back(Slice(paragraph, start, visibleEnd));
        start = lineEnd;
        while (start < n && t[start] == u' ')
            ++start;
    }
}

Layout MakeLayout(const std::u16string& text, UINT format, int rectWidth, const Font& font) {
    Layout layout;
    std::vector<std::u16string> paragraphs;
    if ((format & DT_SINGLELINE) != 0) {
        std::u16string single;
        for (char16_t c : text) {
            if (c != u'\r' && c != u'\n')
                single.push_back(c);
        }
        paragraphs.push_back(single);
    } else {
        std::u16string current;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r') {
                if (i + 1 < text.size() && text[i + 1] == u'\n')
                    ++i;
                paragraphs.push_back(current);
                current.clear();
            } else if (text[i] == u'\n') {
                paragraphs.push_back(current);
                current.clear();
            } else {
                current.push_back(text[i]);
            }
        }
        paragraphs.push_back(current);
    }
    const bool wrap = (format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0;
    const std::size_t maxChars =
        static_cast<std::size_t>(std::max(rectWidth, 0) / std::max(font.charWidth, 1));
    for (const std::u16string& p : paragraphs) {
        const Line line = Unprefix(p, format);
        if (wrap) {
            Wrap(line, std::max<std::size_t>(maxChars, 1), &layout.lines);
        } else {
            layout.lines.push_back(line);
        }
    }
    for (const Line& line : layout.lines) {
        layout.width = std::max(layout.width, static_cast<int>(line.text.size()) * font.charWidth);
    }
    return layout;
}

void DrawGlyphs(Canvas& canvas, const Font& font, const Line& line, int x, int y,
                const RECT* clip) {
    const DeviceState& s = canvas.State();
    const Pixel ink = ToPixel(s.textColour);
    const Pixel back = ToPixel(s.backColour);
    const bool opaque = s.backMode == OPAQUE;
    const PlacedFace face =
        FaceForCell(font.charWidth, font.height, font.logFont.lfWeight >= FW_SEMIBOLD);
    const int underlineRow = gdi::UnderlineRow(font.height);
    // The pixels that may change, in target coordinates: the text's cells inside the clip.
    const int count = static_cast<int>(line.text.size());
    const RECT cells{x, y, x + count * font.charWidth, y + font.height};
    RECT allowed = cells;
    if (clip != nullptr && !IntersectRect(&allowed, &cells, clip))
        return;
    const RECT area = canvas.Clipped(allowed);
    if (area.left >= area.right || area.top >= area.bottom)
        return;
    Bitmap& target = canvas.Target();
    const int top = canvas.TargetY(y);
    for (int i = 0; i < count; ++i) {
        const int cellLeft = canvas.TargetX(x + i * font.charWidth);
        const int from = std::max<int>(cellLeft, area.left);
        const int to = std::min<int>(cellLeft + font.charWidth, area.right);
        if (from >= to)
            continue;
        const GlyphRows& glyph = face.Rows(line.text[i]);
        for (int ty = area.top; ty < area.bottom; ++ty) {
            const int row = ty - top;
            const bool underline =
                line.underlined[static_cast<std::size_t>(i)] && row == underlineRow;
            const std::uint64_t bits = underline ? ~std::uint64_t{0} : face.CellRow(glyph, row);
            for (int tx = from; tx < to; ++tx) {
                const int column = tx - cellLeft;
                const bool set = column < 64 ? ((bits >> column) & 1) != 0 : underline;
                if (set) {
                    target.At(tx, ty) = ink;
                } else if (opaque) {
                    target.At(tx, ty) = back;
                }
            }
        }
    }
}

std::u16string TextOf(LPCWSTR text, int count) {
    if (text == nullptr)
        return {};
    if (count < 0)
        return std::u16string(text);
    return std::u16string(text, static_cast<std::size_t>(count));
}

}  // namespace

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
    DeviceContext* context = ContextOf(dc);
    if (context == nullptr || rect == nullptr)
        return 0;
    const Font& font = *FontOf(context->state.font);
    const Layout layout = MakeLayout(TextOf(text, count), format, RectWidth(*rect), font);
    const int height = static_cast<int>(layout.lines.size()) * font.height;
    if ((format & DT_CALCRECT) != 0) {
        // Measuring needs only the font: it works on a screen context too.
        rect->right = rect->left + layout.width;
        rect->bottom = rect->top + height;
        return height;
    }
    Canvas canvas(dc);
    if (!canvas.Valid())
        return height;
    int y = rect->top;
    if ((format & DT_SINGLELINE) != 0) {
        if ((format & DT_VCENTER) != 0)
            y = rect->top + (RectHeight(*rect) - height) / 2;
        if ((format & DT_BOTTOM) != 0)
            y = rect->bottom - height;
    }
    const RECT* clip = (format & DT_NOCLIP) != 0 ? nullptr : rect;
    for (const Line& line : layout.lines) {
        const int lineWidth = static_cast<int>(line.text.size()) * font.charWidth;
        int x = rect->left;
        if ((format & DT_CENTER) != 0)
            x = rect->left + (RectWidth(*rect) - lineWidth) / 2;
        if ((format & DT_RIGHT) != 0)
            x = rect->right - lineWidth;
        DrawGlyphs(canvas, font, line, x, y, clip);
        y += font.height;
    }
    return height;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
    Canvas canvas(dc);
    if (!canvas.Valid())
        return FALSE;
    const Font& font = *FontOf(canvas.State().font);
    Line line;
    line.text = TextOf(text, count);
    line.underlined.assign(line.text.size(), false);
    const int width = static_cast<int>(line.text.size()) * font.charWidth;
    const UINT align = canvas.State().textAlign;
    if ((align & TA_CENTER) == TA_CENTER) {
        x -= width / 2;
    } else if ((align & TA_RIGHT) != 0) {
        x -= width;
    }
    if ((align & TA_BASELINE) == TA_BASELINE) {
        y -= font.height - 2;
    } else if ((align & TA_BOTTOM) != 0) {
        y -= font.height;
    }
    DrawGlyphs(canvas, font, line, x, y, nullptr);
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
    DeviceContext* context = ContextOf(dc);
    if (context == nullptr || size == nullptr)
        return FALSE;
    const Font& font = *FontOf(context->state.font);
    const int n = count < 0 ? static_cast<int>(TextOf(text, -1).size()) : count;
    size->cx = n * font.charWidth;
    size->cy = font.height;
    return TRUE;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    DeviceContext* context = ContextOf(dc);
    if (context == nullptr || metrics == nullptr)
        return FALSE;
    const Font& font = *FontOf(context->state.font);
    metrics->tmHeight = font.height;
    metrics->tmDescent = std::max(1, font.height / 6);
    metrics->tmAscent = font.height - metrics->tmDescent;
    metrics->tmInternalLeading =
        font.logFont.lfHeight < 0 ? font.height + font.logFont.lfHeight : 0;
    metrics->tmExternalLeading = 0;
    metrics->tmAveCharWidth = font.charWidth;
    metrics->tmMaxCharWidth = font.charWidth;
    metrics->tmWeight = font.logFont.lfWeight;
    return TRUE;
}

// The GDI+ flat functions that draw an image through image attributes (a colour remap table
// and a colour matrix), as disabled glyphs are drawn. Images are 32-bit pixel copies; drawing
// is nearest-pixel scaling and source-over blending onto a device context.
//
// Per pixel: the remap table first (an exact ARGB match is replaced), then the colour matrix
// with the row-vector convention: [r g b a 1] × M, components in 0..1, each result clamped to
// 0..1 and rounded to the nearest 1/255.
#pragma once

#include "platform/win_types.h"

namespace Gdiplus {

using REAL = float;
using ARGB = DWORD;
using PixelFormat = INT;

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    NotImplemented = 6,
    GdiplusNotInitialized = 18,
};

inline constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
inline constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
inline constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

enum Unit { UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2 };
enum ColorAdjustType { ColorAdjustTypeDefault = 0, ColorAdjustTypeBitmap = 1 };
enum ColorMatrixFlags { ColorMatrixFlagsDefault = 0 };

struct ColorMatrix {
    REAL m[5][5];
};

struct Color {
    ARGB Argb = 0;
};

struct ColorMap {
    Color oldColor;
    Color newColor;
};

struct GdiplusStartupInput {
    UINT GdiplusVersion = 1;
    void* DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};

}  // namespace Gdiplus

using GpStatus = Gdiplus::Status;
using GpUnit = Gdiplus::Unit;
struct GpImage;
struct GpBitmap;
struct GpGraphics;
struct GpImageAttributes;
using DrawImageAbort = BOOL (*)(void*);

// GDI+ answers GdiplusNotInitialized until it is started; starts and shutdowns are counted.
GpStatus GdiplusStartup(UINT_PTR* token, const Gdiplus::GdiplusStartupInput* input, void* output);
void GdiplusShutdown(UINT_PTR token);

// An image of a bitmap: 32-bit RGB (its alpha is not used: every pixel is opaque).
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP bitmap, void* palette, GpBitmap** image);
// An image of pixel rows in the given format (32-bit RGB, ARGB or premultiplied ARGB).
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, Gdiplus::PixelFormat format,
                                   BYTE* scan0, GpBitmap** image);
GpStatus GdipGetImagePixelFormat(GpImage* image, Gdiplus::PixelFormat* format);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipDisposeImage(GpImage* image);

GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes);
GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes);
GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes,
                                           Gdiplus::ColorAdjustType type, BOOL enable,
                                           const Gdiplus::ColorMatrix* matrix,
                                           const Gdiplus::ColorMatrix* grayMatrix,
                                           Gdiplus::ColorMatrixFlags flags);
GpStatus GdipSetImageAttributesRemapTable(GpImageAttributes* attributes,
                                          Gdiplus::ColorAdjustType type, BOOL enable, UINT mapSize,
                                          const Gdiplus::ColorMap* map);

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstX, INT dstY,
                                INT dstWidth, INT dstHeight, INT srcX, INT srcY, INT srcWidth,
                                INT srcHeight, GpUnit srcUnit, const GpImageAttributes* attributes,
                                DrawImageAbort abort, void* abortData);

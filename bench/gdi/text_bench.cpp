// What drawing a dialog's texts costs: a label line of 40 characters on an opaque and on a
// transparent background, a wrapped paragraph, and a 400 × 300 picture written as a PNG file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/png.h"
#include "platform/ui/user.h"

namespace {

class Surface {
public:
    Surface(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        bitmap_ = CreateCompatibleBitmap(dc_, width, height);
        SelectObject(dc_, bitmap_);
        SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    }
    ~Surface() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
};

constexpr const char16_t* kLabel = u"When Input 1 goes above 2.5 V, Hyst. 5 %";  // 40 characters

void LabelLine(benchmark::State& state) {
    Surface surface(320, 20);
    SetBkMode(surface.Dc(), state.range(0) != 0 ? OPAQUE : TRANSPARENT);
    for (auto _ : state) {
        RECT r{0, 0, 320, 20};
        benchmark::DoNotOptimize(DrawTextW(surface.Dc(), kLabel, -1, &r, DT_SINGLELINE));
    }
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(LabelLine)->Arg(1)->Arg(0)->ArgName("opaque");

void WrappedParagraph(benchmark::State& state) {
    Surface surface(200, 200);
    SetBkMode(surface.Dc(), TRANSPARENT);
    std::u16string text;
    for (int i = 0; i < 8; ++i)
        text += u"The output fires when all of its conditions hold. ";
    for (auto _ : state) {
        RECT r{0, 0, 200, 200};
        benchmark::DoNotOptimize(DrawTextW(surface.Dc(), text.c_str(), -1, &r, DT_WORDBREAK));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(WrappedParagraph);

void PngPicture(benchmark::State& state) {
    Surface surface(400, 300);
    RECT all{0, 0, 400, 300};
    FillRect(surface.Dc(), &all, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    for (int y = 0; y < 300; y += 16)
        TextOutW(surface.Dc(), 4, y, kLabel, 40);
    const std::string path = "/tmp/tarvel-text-bench-" + std::to_string(getpid()) + ".png";
    for (auto _ : state)
        gdi::WritePng(surface.Bitmap(), path);
    std::remove(path.c_str());
}
BENCHMARK(PngPicture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

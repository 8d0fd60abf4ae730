// What a person sees of the panes: the rule rows' plus and minus glyphs, enabled and
// disabled; disabled labels in grey; and, with visual styles on, labels, check boxes and the
// panes themselves on the tab page's background, its pattern continuing across them.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/image.h"
#include "platform/ui/scripted_user.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"
#include "tests/dialog/pane_harness.h"

namespace {

using namespace VavazaZavidi;
using PaneTest::DeviceConfig;
using PaneTest::Limits;
using PaneTest::PaneHarness;

// The tab page's background as a test paints it: a pattern whose every pixel tells where in
// the pattern it lies.
constexpr int kPatternWidth = 17;
constexpr int kPatternHeight = 11;

COLORREF PatternAt(int x, int y) {
    const int px = ((x % kPatternWidth) + kPatternWidth) % kPatternWidth;
    const int py = ((y % kPatternHeight) + kPatternHeight) % kPatternHeight;
    return RGB(px * 10, py * 20, 200);
}

class PatternBrush {
public:
    PatternBrush() {
        const HDC dc = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc, kPatternWidth, kPatternHeight);
        const HGDIOBJ old = SelectObject(dc, bitmap_);
        for (int y = 0; y < kPatternHeight; ++y) {
            for (int x = 0; x < kPatternWidth; ++x)
                SetPixel(dc, x, y, PatternAt(x, y));
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        brush_ = CreatePatternBrush(bitmap_);
    }
    ~PatternBrush() {
        DeleteObject(brush_);
        DeleteObject(bitmap_);
    }
    PatternBrush(const PatternBrush&) = delete;
    PatternBrush& operator=(const PatternBrush&) = delete;
    HBRUSH Get() const { return brush_; }

private:
    HBITMAP bitmap_ = nullptr;
    HBRUSH brush_ = nullptr;
};

class PanePainting : public ::testing::Test {
protected:
    template <class Script>
    void Run(bool on, bool themed, Script script) {
        EventConfig config = DeviceConfig(2);
        config.Settings(0).On = on;
        config.InsertRule(0, 0);
        harness = std::make_unique<PaneHarness>(config, Limits());
        harness->themed = themed;
        harness->tabBrush = pattern.Get();
        user.OnNextDialog([&](ui::WindowUser& dialog) {
            script(dialog);
            dialog.PressCancel();
        });
        harness->Execute();
    }

    static ui::WindowUser Row(const ui::WindowUser& dialog, int row) {
        return dialog.ChildDialog(TemplateId::kRulePane, row);
    }

    // The middle of a glyph button, away from its edges.
    static gdi::Image Face(const ui::ControlUser& button) {
        const gdi::Image image = button.Snapshot();
        return image.Crop(RECT{3, 3, image.width - 3, image.height - 3});
    }

    ui::ScriptedUser user;
    PatternBrush pattern;
    std::unique_ptr<PaneHarness> harness;
};

TEST_F(PanePainting, TheRowsShowAPlusAndAMinusGreyedWhenDisabled) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    Run(true, false, [&](ui::WindowUser& d) {
        const gdi::Image plus = Face(Row(d, 0).Control(RulePaneId::kAdd));
        const gdi::Image minus = Face(Row(d, 0).Control(RulePaneId::kRemove));
        EXPECT_EQ(plus.Count(ink), 13) << "a 7 by 7 cross";
        const RECT cross = plus.BoundsOf(ink);
        EXPECT_EQ(cross.right - cross.left, 7);
        EXPECT_EQ(cross.bottom - cross.top, 7);
        EXPECT_EQ(plus.At((cross.left + cross.right) / 2, cross.top), ink) << "upright";
        EXPECT_EQ(plus.At(cross.left, cross.top), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(minus.Count(ink), 7) << "a 7 pixel bar";
        const RECT bar = minus.BoundsOf(ink);
        EXPECT_EQ(bar.right - bar.left, 7);
        EXPECT_EQ(bar.bottom - bar.top, 1);
        EXPECT_EQ(bar.top, cross.top + 3) << "level with the cross's bar";
        EXPECT_FALSE(plus.Contains(grey));
    });
    Run(false, false, [&](ui::WindowUser& d) {
        const gdi::Image plus = Face(Row(d, 0).Control(RulePaneId::kAdd));
        const gdi::Image minus = Face(Row(d, 0).Control(RulePaneId::kRemove));
        EXPECT_EQ(plus.Count(grey), 13);
        EXPECT_EQ(minus.Count(grey), 7);
        EXPECT_FALSE(plus.Contains(ink));
        EXPECT_FALSE(minus.Contains(ink));
    });
}

TEST_F(PanePainting, DisabledLabelsAreGrey) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    for (const bool on : {true, false}) {
        Run(on, false, [&](ui::WindowUser& d) {
            for (const int id : {RulePaneId::kWhen, RulePaneId::kHysteresisLabel}) {
                const gdi::Image label = Row(d, 0).Control(id).Snapshot();
                EXPECT_EQ(label.Contains(ink), on) << id;
                EXPECT_EQ(label.Contains(grey), !on) << id;
            }
            const gdi::Image delay = d.ChildDialog(TemplateId::kSettingsPane)
                                         .Control(SettingsPaneId::kDelayLabel)
                                         .Snapshot();
            EXPECT_EQ(delay.Contains(grey), !on);
        });
    }
}

TEST_F(PanePainting, WithVisualStylesLabelsAndPanesShowTheTabPage) {
    Run(true, true, [&](ui::WindowUser& d) {
        const HWND tabs = d.Control(PaneHarness::kTabs).Handle();
        const ui::WindowUser onOff = d.ChildDialog(TemplateId::kOnOffPane);
        struct Spot {
            ui::ControlUser control;
            POINT point;  // in the control, where nothing but the background shows
        };
        const ui::ControlUser conditions = onOff.Control(OnOffPaneId::kConditions);
        const ui::ControlUser generate = onOff.Control(OnOffPaneId::kGenerate);
        const ui::ControlUser when = Row(d, 0).Control(RulePaneId::kWhen);
        const Spot spots[] = {
            {conditions, {conditions.Snapshot().width - 3, conditions.Snapshot().height - 2}},
            {generate, {20, 1}},
            {when, {1, when.Snapshot().height - 1}},
        };
        for (const Spot& spot : spots) {
            const RECT place = spot.control.RectIn(tabs);
            EXPECT_EQ(spot.control.Snapshot().At(spot.point.x, spot.point.y),
                      PatternAt(place.left + spot.point.x, place.top + spot.point.y))
                << spot.control.Id();
        }
        // The pane's own background, between its controls.
        const ui::ControlUser pane(onOff.Handle());
        const RECT place = pane.RectIn(tabs);
        EXPECT_EQ(onOff.Snapshot().At(400, 25), PatternAt(place.left + 400, place.top + 25));
    });
    Run(true, false, [&](ui::WindowUser& d) {
        const ui::WindowUser onOff = d.ChildDialog(TemplateId::kOnOffPane);
        const gdi::Image label = onOff.Control(OnOffPaneId::kConditions).Snapshot();
        EXPECT_EQ(label.At(label.width - 3, label.height - 2), GetSysColor(COLOR_BTNFACE))
            << "no styles";
        EXPECT_EQ(onOff.Snapshot().At(400, 25), GetSysColor(COLOR_BTNFACE));
    });
}

}  // namespace

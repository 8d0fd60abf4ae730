// What a person sees of the panes: every label's text in full beside, not under, its
// neighbours; the rule rows' plus and minus glyphs, enabled and disabled; disabled labels in
// grey; and, with visual styles on, labels, check boxes and the panes themselves on the tab
// page's background, its pattern continuing across them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/image.h"
#include "platform/text/utf.h"
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
    // Input 0 has `range`, a range text and a unit; none by default.
    template <class Script>
    void Run(bool on, bool themed, Script script,
             const std::pair<std::u16string, std::u16string>& range = {}) {
        EventConfig config = DeviceConfig(2);
        config.Settings(0).On = on;
        config.InsertRule(0, 0);
        harness = std::make_unique<PaneHarness>(config, Limits());
        if (!range.first.empty())
            harness->ranges = {{0, range}};
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

// How wide the control's text is drawn in the control's own font.
int TextWidth(const ui::ControlUser& control) {
    const HWND window = control.Handle();
    const HDC dc = GetDC(window);
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font);
    const std::u16string text = control.Text();
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

std::vector<HWND> ChildrenOf(const ui::WindowUser& pane) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(pane.Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

TEST_F(PanePainting, EveryLabelShowsItsWholeTextOnOneLineAndNoControlsCoverEachOther) {
    // A check box's square and the gap after it come before its text.
    constexpr int kCheckBoxLead = 16;
    Run(true, false, [&](ui::WindowUser& d) {
        const ui::WindowUser onOff = d.ChildDialog(TemplateId::kOnOffPane);
        const ui::WindowUser row = Row(d, 0);
        const ui::WindowUser settings = d.ChildDialog(TemplateId::kSettingsPane);
        struct Label {
            const ui::WindowUser& pane;
            int id;
            int lead;  // pixels before the text
        };
        const Label labels[] = {
            {onOff, OnOffPaneId::kGenerate, kCheckBoxLead},
            {onOff, OnOffPaneId::kConditions, 0},
            {row, RulePaneId::kWhen, 0},
            {row, RulePaneId::kVerb, 0},
            {row, RulePaneId::kLevelLabel, 0},
            {row, RulePaneId::kHysteresisLabel, 0},
            {row, RulePaneId::kPercent, 0},
            {row, RulePaneId::kLowRange, 0},
            {row, RulePaneId::kZero, 0},
            {row, RulePaneId::kHighRange, 0},
            {settings, SettingsPaneId::kFixedWidth, kCheckBoxLead},
            {settings, SettingsPaneId::kWidthUnit, 0},
            {settings, SettingsPaneId::kDelayLabel, 0},
            {settings, SettingsPaneId::kDelayUnit, 0},
            {settings, SettingsPaneId::kLimitedCount, kCheckBoxLead},
            {settings, SettingsPaneId::kHoldoffLabel, 0},
            {settings, SettingsPaneId::kHoldoffUnit, 0},
        };
        for (const Label& label : labels) {
            const ui::ControlUser control = label.pane.Control(label.id);
            const RECT place = control.RectIn(label.pane.Handle());
            EXPECT_FALSE(control.Text().empty()) << label.id;
            EXPECT_LE(label.lead + TextWidth(control), place.right - place.left)
                << label.id << " cut short or wrapped";
        }

        // Within each pane, every control lies inside it and clear of the others; only the
        // level's arrows sit on its edit, and the group frames the settings.
        const auto sharesPlace = [](int a, int b) {
            return (a == RulePaneId::kLevelEdit && b == RulePaneId::kLevelUpDown) ||
                   (a == RulePaneId::kLevelUpDown && b == RulePaneId::kLevelEdit);
        };
        for (const ui::WindowUser* pane : {&onOff, &row, &settings}) {
            RECT client{};
            GetClientRect(pane->Handle(), &client);
            std::vector<std::pair<int, RECT>> places;
            for (const HWND child : ChildrenOf(*pane)) {
                const ui::ControlUser control(child);
                if (pane == &settings && control.Id() == SettingsPaneId::kGroup)
                    continue;
                const RECT place = control.RectIn(pane->Handle());
                EXPECT_TRUE(place.left >= client.left && place.top >= client.top &&
                            place.right <= client.right && place.bottom <= client.bottom)
                    << control.Id() << " leaves its pane";
                places.emplace_back(control.Id(), place);
            }
            EXPECT_GE(places.size(), 3u);
            for (std::size_t i = 0; i < places.size(); ++i) {
                for (std::size_t j = i + 1; j < places.size(); ++j) {
                    RECT common{};
                    const int a = places[i].first, b = places[j].first;
                    EXPECT_TRUE(sharesPlace(a, b) ||
                                !IntersectRect(&common, &places[i].second, &places[j].second))
                        << a << " and " << b << " overlap";
                }
            }
        }
    });
}

TEST_F(PanePainting, TheLevelAndRangeLabelsShowUnitsAndRangesOfSixCharactersWhole) {
    const std::pair<std::u16string, std::u16string> ranges[] = {
        {u"50", u"kPa"}, {u"200", u"mmHg"}, {u"100", u"degC"},      {u"10", u"mV/V"},
        {u"1000", u"V"}, {u"12.5", u"mV"},  {u"0.0025", u"kN/cm2"}, {u"250000", u"mm/s2"}};
    for (const auto& range : ranges) {
        const auto measure = [&](ui::WindowUser& d) {
            const ui::WindowUser row = Row(d, 0);
            EXPECT_EQ(row.Control(RulePaneId::kLevelLabel).Text(),
                      u"Level (" + range.second + u")");
            for (const int id :
                 {RulePaneId::kLevelLabel, RulePaneId::kLowRange, RulePaneId::kHighRange}) {
                const ui::ControlUser label = row.Control(id);
                EXPECT_LE(TextWidth(label), RectWidth(label.RectIn(row.Handle())))
                    << text::ToUtf8(label.Text()) << " cut short";
            }
        };
        Run(true, false, measure, range);
    }
}

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
        EXPECT_EQ(onOff.Snapshot().At(500, 25), PatternAt(place.left + 500, place.top + 25));
    });
    Run(true, false, [&](ui::WindowUser& d) {
        const ui::WindowUser onOff = d.ChildDialog(TemplateId::kOnOffPane);
        const gdi::Image label = onOff.Control(OnOffPaneId::kConditions).Snapshot();
        EXPECT_EQ(label.At(label.width - 3, label.height - 2), GetSysColor(COLOR_BTNFACE))
            << "no styles";
        EXPECT_EQ(onOff.Snapshot().At(500, 25), GetSysColor(COLOR_BTNFACE));
    });
}

}  // namespace

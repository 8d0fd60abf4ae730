// The numeric edits and their validators through a dialog that a scripted user drives:
// reading and writing values, the range checks at OK with their messages and owners, the
// filters, and the error provider.
#include <gtest/gtest.h>

#include <cstdlib>

#include "dialog/number_text.h"
#include "dialog/range_validators.h"
#include "dialog/validating_edit.h"
#include "platform/ui/headless.h"
#include "platform/ui/owl/application.h"
#include "platform/ui/owl/dialog.h"
#include "platform/ui/scripted_user.h"
#include "support/popup/error_provider.h"

namespace {

using Tev::DoubleEdit;
using Tev::IntEdit;

constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
const DialogItemTemplate kItems[] = {
    {u"Edit", u"", 220, 122, 22, 80, 14, kEdit, 0},  // room for 19 characters
    {u"Edit", u"", 222, 122, 62, 40, 14, kEdit, 0},
    {u"Edit", u"", 207, 20, 90, 43, 14, kEdit | ES_AUTOHSCROLL, 0},
    {u"Button", u"OK", IDOK, 200, 100, 50, 14, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0},
    {u"Button", u"Cancel", IDCANCEL, 255, 100, 50, 14, WS_CHILD | WS_VISIBLE, 0},
};
const DialogTemplate kTemplate{WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                               0,
                               0,
                               0,
                               320,
                               120,
                               u"Tarvel",
                               u"MS Shell Dlg",
                               8,
                               kItems,
                               std::size(kItems)};

class EditsDialog : public owl::TDialog {
public:
    explicit EditsDialog(owl::TWindow* parent = nullptr)
        : owl::TDialog(parent, kTemplate),
          width(this, 220, 0, 60),
          pulses(this, 222, 95),
          level(this, 207) {}
    DoubleEdit width;
    IntEdit pulses;
    DoubleEdit level;
};

class Edits : public ::testing::Test {
protected:
    template <class Script>
    int Run(Script script) {
        user.OnNextDialog([&](ui::WindowUser& d) { script(d); });
        return dialog.Execute();
    }
    ui::ScriptedUser user;
    EditsDialog dialog;
};

TEST_F(Edits, ValuesAreRoundedToNineSignificantDigitsAsTheExponentRounds) {
    Run([&](ui::WindowUser& d) {
        d.Control(220).Type(u"2.123456789123");
        EXPECT_DOUBLE_EQ(dialog.width.GetValue(), 2.123456789);
        d.Control(220).Type(u"5.123456789");
        EXPECT_DOUBLE_EQ(dialog.width.GetValue(), 5.12345679) << "log10 rounds up to 1";
        d.Control(220).Type(u"1.23456789012");
        EXPECT_DOUBLE_EQ(dialog.width.GetValue(), 1.23456789);
        dialog.width.SetPrecision(3);
        d.Control(220).Type(u"0.012345");
        EXPECT_DOUBLE_EQ(dialog.width.GetValue(), 0.01235) << "leading 1.2: one digit more";
        d.PressCancel();
    });
    EXPECT_EQ(DoubleEdit::Round(-2.123456789123, 0), -2.123456789);
    EXPECT_EQ(DoubleEdit::Round(0, 0), 0.0);
    EXPECT_EQ(DoubleEdit::Round(1e-310, 0), 1e-310) << "no scale fits: kept, not NaN";
    EXPECT_EQ(DoubleEdit::Round(1e300, 0), 1e300);
}

TEST_F(Edits, TextsWithoutALeadingNumberReadAsZero) {
    Run([&](ui::WindowUser& d) {
        ui::ControlUser level = d.Control(207);  // no validator: anything can be typed
        level.Type(u"");
        EXPECT_EQ(dialog.level.GetValue(), 0.0);
        level.Type(u"abc");
        EXPECT_EQ(dialog.level.GetValue(), 0.0);
        level.Type(u"12abc");
        EXPECT_EQ(dialog.level.GetValue(), 12.0);
        level.Type(u"-.5e1x");
        EXPECT_EQ(dialog.level.GetValue(), -5.0);
        level.Type(u"1e400");
        EXPECT_EQ(dialog.level.GetValue(), 0.0) << "too large for a double: never stored";
        d.Control(222).Type(u"");
        EXPECT_EQ(dialog.pulses.GetValue(), 0);
        d.PressCancel();
    });
}

TEST_F(Edits, ValuesAreWrittenInGeneralOrFixedNotation) {
    Run([&](ui::WindowUser& d) {
        dialog.width.SetValue(0.001);
        EXPECT_EQ(d.Control(220).Text(), u"0.001");
        dialog.width.SetValue(2.5);
        EXPECT_EQ(d.Control(220).Text(), u"2.5");
        dialog.width.SetValue(1234567.891);
        EXPECT_EQ(d.Control(220).Text(), u"1234567.89");
        dialog.width.SetFixedPoint(true);
        dialog.width.SetPrecision(3);
        dialog.width.SetValue(2.5);
        EXPECT_EQ(d.Control(220).Text(), u"2.500");
        dialog.pulses.SetValue(30000);
        EXPECT_EQ(d.Control(222).Text(), u"30000");
        d.PressCancel();
    });
}

TEST_F(Edits, AWholeNumberEditAcceptsItsRangeAndRefusesTheNextAtOk) {
    EXPECT_EQ(Run([&](ui::WindowUser& d) {
                  d.Control(222).Type(u"0");
                  d.PressOk();
              }),
              IDOK);
    EXPECT_EQ(Run([&](ui::WindowUser& d) {
                  d.Control(222).Type(u"95");
                  d.PressOk();
              }),
              IDOK);
    Run([&](ui::WindowUser& d) {
        d.Control(222).Type(u"96");
        d.Control(220).Focus();
        d.PressOk();
        EXPECT_TRUE(d.IsOpen());
        ASSERT_EQ(user.MessageBoxes().size(), 1u);
        EXPECT_EQ(user.LastMessageBox().text, u"Value is not in the range 0 to 95.");
        EXPECT_EQ(user.LastMessageBox().flags & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_TRUE(d.Control(222).HasFocus());
        d.PressCancel();
    });
}

TEST_F(Edits, AWholeNumberEditTakesDigitsAndAPlusSignWhileTyping) {
    Run([&](ui::WindowUser& d) {
        d.Control(222).Type(u"-+4x2.");
        EXPECT_EQ(d.Control(222).Text(), u"+42");
        EXPECT_EQ(dialog.pulses.GetValue(), 42);
        EXPECT_TRUE(dialog.pulses.IsNumber());
        d.PressCancel();
    });
}

TEST_F(Edits, ARealNumberOutOfRangeReportsTheHostsMessageTaskModal) {
    Run([&](ui::WindowUser& d) {
        d.Control(220).Type(u"75");
        d.PressOk();
        EXPECT_TRUE(d.IsOpen());
        ASSERT_EQ(user.MessageBoxes().size(), 1u);
        const ui::MessageBoxRecord& box = user.LastMessageBox();
        EXPECT_EQ(box.text, u"Please enter a number from 0 to 60.");
        EXPECT_EQ(box.caption, u"") << "no application object";
        EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK | MB_TASKMODAL));
        EXPECT_EQ(box.owner, d.Handle()) << "the active window";
        EXPECT_TRUE(d.Control(220).HasFocus());
        d.Control(220).Type(u"60");
        d.PressOk();
    });
}

// The application's main window, a toolkit window of its own.
class MainWindow : public owl::TWindow {
public:
    MainWindow() : owl::TWindow(nullptr, u"Ostrel") {
        Attr.Style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
        Attr.W = 800;
        Attr.H = 600;
    }
};

TEST(RangeMessages, BelongToTheMainWindowsLastActivePopUpWhenTheToolkitMadeIt) {
    ui::ScriptedUser user;
    owl::TApplication application(u"Ostrel");
    MainWindow main;
    main.Create();
    application.SetMainWindow(&main);
    EditsDialog dialog(&main);
    user.OnNextDialog([&](ui::WindowUser& d) {
        d.Control(220).Type(u"-1");
        d.PressOk();
        ASSERT_EQ(user.MessageBoxes().size(), 1u);
        EXPECT_EQ(user.LastMessageBox().owner, d.Handle());
        EXPECT_EQ(user.LastMessageBox().caption, u"Ostrel");
        EXPECT_EQ(user.LastMessageBox().flags, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
        d.PressCancel();
    });
    dialog.Execute();
}

TEST_F(Edits, AnAttachedErrorProviderShowsAndClearsAsTheUserTypes) {
    Tev::ErrorProvider provider(&dialog, Tev::ErrorProvider::kTooltipOnHover, 280, 90);
    dialog.pulses.SetErrorProvider(&provider);
    EXPECT_NE(dynamic_cast<TevControls::LongRangeValidatorErrProv*>(dialog.pulses.GetValidator()),
              nullptr);
    Run([&](ui::WindowUser& d) {
        ui::ControlUser pulses = d.Control(222);
        pulses.Type(u"9");
        EXPECT_FALSE(provider.IsWindowVisible());
        pulses.TypeAtEnd(u"6");
        EXPECT_TRUE(provider.IsWindowVisible()) << "96 is out of range";
        EXPECT_TRUE(provider.Message().IsEmpty()) << "22035 is not in the extension's table";
        pulses.PressKey(VK_BACK);
        EXPECT_FALSE(provider.IsWindowVisible());
        pulses.Type(u"+");
        EXPECT_TRUE(provider.IsWindowVisible()) << "not a number";
        d.PressCancel();
    });
    dialog.pulses.SetErrorProvider(nullptr);
    auto* plain = dynamic_cast<TevControls::TevRangeValidator*>(dialog.pulses.GetValidator());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetMax(), 95);
}

TEST(RealRanges, TransferAndValidityReadTheTextsNumber) {
    Tev::FltRangeValidator range(-10, 10);
    EXPECT_TRUE(range.IsValid(u"-10"));
    EXPECT_TRUE(range.IsValid(u"1e1"));
    EXPECT_FALSE(range.IsValid(u"10.5"));
    EXPECT_FALSE(range.IsValid(u"1e400")) << "infinity is out of every finite range";
    EXPECT_FALSE(range.IsValid(u"2,5")) << "not the decimal separator here";
    EXPECT_TRUE(range.IsValid(u"")) << "an empty text is 0";
    owl::tstring text = u"2.5";
    double value = 0;
    EXPECT_EQ(range.Transfer(text, &value, owl::tdGetData), 0u) << "transfer is off";
    range.SetOption(owl::voTransfer);
    EXPECT_EQ(range.Transfer(text, &value, owl::tdGetData), sizeof(double));
    EXPECT_EQ(value, 2.5);
    value = 0.1;
    range.Transfer(text, &value, owl::tdSetData);
    EXPECT_EQ(text, u"0.1");
    EXPECT_EQ(range.Transfer(text, &value, owl::tdSizeData), sizeof(double));
}

TEST(NumberTexts, WholeAndRealNumbersMustFillTheFirstTwentyNineCharacters) {
    using namespace Tev::NumberText;
    EXPECT_TRUE(IsWholeNumber(u" 12"));
    EXPECT_FALSE(IsWholeNumber(u"12 "));
    EXPECT_FALSE(IsWholeNumber(u""));
    EXPECT_FALSE(IsWholeNumber(u"+"));
    EXPECT_TRUE(IsWholeNumber(u"99999999999")) << "too large, but all of it is the number";
    EXPECT_TRUE(IsRealNumber(u"-1.5e3"));
    EXPECT_FALSE(IsRealNumber(u"1.5e"));
    EXPECT_FALSE(IsRealNumber(u"."));
    const std::u16string longText = std::u16string(29, u'1') + u"x";
    EXPECT_TRUE(IsRealNumber(longText)) << "the 30th character is not read";
    EXPECT_EQ(LeadingReal(u"1.5e")->value, 1.5);
}

TEST(DecimalComma, TheUsersSeparatorIsTypedReadAndWritten) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("LC_ALL", "de_DE.UTF-8", 1);
            Tev::FltRangeValidator range(0, 10);
            owl::tstring typed = u"2,5";
            const bool ok = range.IsValidInput(typed, false) && range.IsValid(u"2,5") &&
                            !range.IsValid(u"2.5") &&
                            Tev::FltRangeValidator::NumberOf(u"2,5") == 2.5 &&
                            DoubleEdit::Format(2.5, 0, false) == Tev::String(u"2,5") &&
                            DoubleEdit::Format(1234.5, 0, false) == Tev::String(u"1234,5");
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace

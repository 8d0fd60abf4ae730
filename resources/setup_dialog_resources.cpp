// The setup dialog's main template (the tab control, the placeholders where the panes go,
// help, OK and Cancel) and the help button's glyph, registered for the module this file is
// linked into when the module loads.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/gdi/dib.h"
#include "platform/gdi/image.h"
#include "platform/module/resource.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/user_constants.h"
#include "resources/dialog_ids.h"
#include "resources/resource_module.h"

namespace {

using namespace VavazaZavidi;

constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;
// Placeholders only lend their rectangles: never shown.
constexpr DWORD kPlaceholder = WS_CHILD | SS_LEFT;

const DialogItemTemplate kSetupItems[] = {
    {WC_TABCONTROLW, u"", SetupDialogId::kTabs, 7, 7, 486, 212, kVisibleChild | WS_TABSTOP},
    {u"Static", u"", SetupDialogId::kOnOffPlace, 16, 28, 469, 30, kPlaceholder},
    {u"Static", u"", SetupDialogId::kRuleRowPlace, 16, 60, 469, 60, kPlaceholder},
    {u"Static", u"", SetupDialogId::kSettingsPlace, 16, 121, 469, 90, kPlaceholder},
    {u"Button", u"", SetupDialogId::kHelp, 8, 225, 20, 14,
     kVisibleChild | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP},
    {u"Button", u"OK", SetupDialogId::kOk, 387, 225, 50, 14,
     kVisibleChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {u"Button", u"Cancel", SetupDialogId::kCancel, 442, 225, 50, 14,
     kVisibleChild | WS_TABSTOP | BS_PUSHBUTTON},
};

const DialogTemplate kSetupDialog{DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  0,
                                  0,
                                  0,
                                  499,
                                  246,
                                  u"Tarvel",
                                  u"MS Shell Dlg",
                                  8,
                                  kSetupItems,
                                  std::size(kSetupItems)};

// The help glyph: a white question mark on a blue disc. Light grey is the button's face.
constexpr std::array<const char*, 16> kHelpPicture = {
    "......bbbb......",  //
    "....bbBBBBbb....",  //
    "...bBBBBBBBBb...",  //
    "..bBBBwwwwBBBb..",  //
    ".bBBBwwBBwwBBBb.",  //
    ".bBBBwwBBwwBBBb.",  //
    "bBBBBBBBBwwBBBBb",  //
    "bBBBBBBBwwBBBBBb",  //
    "bBBBBBBwwBBBBBBb",  //
    "bBBBBBBwwBBBBBBb",  //
    ".bBBBBBBBBBBBBb.",  //
    ".bBBBBBwwBBBBBb.",  //
    "..bBBBBwwBBBBb..",  //
    "...bBBBBBBBBb...",  //
    "....bbBBBBbb....",  //
    "......bbbb......",  //
};

std::uint32_t PictureColour(char c) {
    switch (c) {
        case 'b':
            return 0xFF00206Eu;  // rim
        case 'B':
            return 0xFF1E64C8u;  // disc
        case 'w':
            return 0xFFFFFFFFu;
        default:
            return 0xFFC0C0C0u;  // the face shows through
    }
}

std::vector<std::uint8_t> HelpGlyphDib() {
    gdi::Image image;
    image.width = 16;
    image.height = static_cast<int>(kHelpPicture.size());
    for (const char* row : kHelpPicture) {
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(PictureColour(row[x]));
    }
    return gdi::PackDib(image);
}

struct Registration {
    std::vector<std::uint8_t> helpGlyph = HelpGlyphDib();
    std::array<ResourceEntry, 2> entries{{
        {ResourceType::kDialog, static_cast<WORD>(TemplateId::kSetupDialog), kLanguageEnglishUs,
         &kSetupDialog, sizeof kSetupDialog},
        {ResourceType::kBitmap, static_cast<WORD>(BitmapId::kHelp), kLanguageEnglishUs,
         helpGlyph.data(), static_cast<DWORD>(helpGlyph.size())},
    }};
    ModuleResources resources{entries};
};

// Registers the resources when the module loads.
[[maybe_unused]] const Registration kRegisteredAtLoad;

}  // namespace

HMODULE VavazaZavidi::SetupDialogResourceModule() {
    return kRegisteredAtLoad.resources.Module();
}

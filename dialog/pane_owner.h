// What the panes of the setup dialog (the on/off pane, the rule rows and the output settings
// pane) ask of the dialog that owns them. DetectorDialog implements it; a test implements it
// to run a pane inside a plain dialog of its own.
//
// The interface is this program's choice: the panes are constructed with their owner and
// call it through these operations only. The rule rows, the on/off pane and the settings pane
// reach each other through their owner as well (GetOnOffPane, GetSettingsPane).
#pragma once

#include <cstdint>

#include "platform/ui/user_types.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi {

class EventConfig;
class OnOffPane;
class SettingsPane;

class PaneOwner {
public:
    // The index of the output (and tab) being edited, and the configuration copy that holds
    // its record and rules.
    virtual std::int32_t GetCurrentOutput() const = 0;
    virtual EventConfig& GetConfig() = 0;

    // Writes every visible rule row into the copy.
    virtual void SaveRules() = 0;
    // Reloads the rule rows of the current output and adapts the visible row count.
    virtual void LoadRules() = 0;
    // Inserts a default rule after rule `row` of the current output; the copy's error
    // propagates unchanged.
    virtual void AddRule(int row) = 0;
    // Enables the visible rows' add and remove buttons by the rule count and the On state.
    virtual void UpdateRuleButtons() = 0;
    // Shows (on) or removes the on-marker in the label of tab `index`.
    virtual void MarkTab(std::int32_t index, bool on) = 0;
    // Enables or disables the controls of all four rule rows.
    virtual void EnableRules(bool on) = 0;
    // The verb of all four rule rows: "goes" when true, "is" otherwise.
    virtual void ShowRuleVerb(bool goes) = 0;
    // The full-scale range and unit texts of input `input` ("10" and "V"); both empty when
    // the host reports nothing.
    virtual void GetInputRange(std::int32_t input, Tev::String& range, Tev::String& unit) = 0;

    // Painting: whether visual styles are on, the brush of the tab page's background and the
    // tab control it was rendered from (null when there is none yet).
    virtual bool IsThemed() const = 0;
    virtual HBRUSH GetTabBackgroundBrush() const = 0;
    virtual HWND GetTabControlWindow() const = 0;

    // The other panes.
    virtual OnOffPane& GetOnOffPane() = 0;
    virtual SettingsPane& GetSettingsPane() = 0;

protected:
    PaneOwner() = default;
    ~PaneOwner() = default;
    PaneOwner(const PaneOwner&) = default;
    PaneOwner& operator=(const PaneOwner&) = default;
};

}  // namespace VavazaZavidi

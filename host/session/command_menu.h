// The host's menu of extension commands: the command lists that document classes make when
// they are initialised are handed to it (it is what the host passes to Initialise).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/api/commands.h"
#include "host/api/framework_host.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace session {

// One menu item as the host shows it.
struct MenuItem {
    std::u16string path;  // "Setup|&Name^GROUP"
    std::u16string text;  // from the command's string table
    MessageId id;         // the class's family base plus the command's code
    ComPtr<IKYTCommandHandler> handler;
};

// What a menu item looks like when the host draws it: the state the item's command handler
// gave it through the host's command-state object.
struct MenuItemState {
    bool enabled = false;  // the host greys an item whose handler does not enable it
    bool checked = false;
};

// The host's command-state object for one query: it remembers what the handler set.
class CommandState final : public ComObject<ICommandState> {
public:
    HRESULT Enable(VARIANT_BOOL enabled) override;
    HRESULT SetCheck(LONG value, LONG mask) override;

    MenuItemState State() const { return {enabled_, (check_ & kCheckBit) != 0}; }

private:
    static constexpr LONG kCheckBit = 1;

    bool enabled_ = false;
    LONG check_ = 0;
};

class CommandMenu final : public ComObject<ICommandListHost> {
public:
    HRESULT AddCommandList(ICommandList* list) override;

    // Every command of every list, in order. `familyBase` gives a class's MessageId base.
    std::vector<MenuItem> Items(
        const std::function<MessageId(const GUID& classId)>& familyBase) const;
    std::size_t ListCount() const { return lists_.size(); }
    // Lets go of the lists (before the classes that own them go).
    void Clear() { lists_.clear(); }

private:
    std::vector<ComPtr<ICommandList>> lists_;
};

}  // namespace session

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

namespace Ostrel {

// One menu item as the host shows it.
struct MenuItem {
    std::u16string path;  // "Setup|&Name^GROUP"
    std::u16string text;  // from the command's string table
    MessageId id;         // the class's family base plus the command's code
    ComPtr<IKYTCommandHandler> handler;
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

}  // namespace Ostrel

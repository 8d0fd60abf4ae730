#include "extension/framework/message_family.h"

#include <mutex>
#include <utility>
#include <vector>

#include "extension/services/framework_services.h"

namespace {

std::mutex g_mutex;
std::vector<std::pair<GUID, WORD>> g_known;  // a handful of families: a list is enough

}  // namespace

WORD MessageFamily(const GUID& family) {
    {
        std::lock_guard lock(g_mutex);
        for (const auto& [guid, number] : g_known) {
            if (guid == family)
                return number;
        }
    }
    IMessageFamilies* families = Services::MessageFamilies();
    WORD number = 0;
    if (families == nullptr || FAILED(families->GetFamily(&family, &number)) || number == 0) {
        return 0;
    }
    std::lock_guard lock(g_mutex);
    g_known.emplace_back(family, number);
    return number;
}

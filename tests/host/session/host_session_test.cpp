// Starting the host: a start that fails part-way (no framework library, a library that is no
// framework, a class object that cannot be registered) undoes what it had done, so that OLE,
// the class-object table and the loaded libraries are as before and a later start works.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "host/api/framework_ids.h"
#include "host/session/host_parts.h"
#include "host/session/host_session.h"
#include "platform/com/class_objects.h"
#include "platform/com/ole_init.h"
#include "platform/module/module.h"
#include "tests/helpers/temp_folder.h"

namespace session {
namespace {

// Whether the library at `path` is still loaded by someone other than this check: loading it
// once more and undoing that load twice succeeds only when another load was left.
bool LoadedElsewhere(const std::filesystem::path& path) {
    const HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr)
        return false;
    FreeLibrary(module);
    return FreeLibrary(module) != FALSE;
}

IUnknown* Squatter(const ComPtr<HostPart>& part) {
    return static_cast<IHostDisplay*>(part.Get());
}

struct FailedStart {
    const char* name;
    // Makes the folder the session starts from; may change the process's state, which
    // `undo` restores once the start has failed.
    std::function<std::filesystem::path(const TempFolder&)> prepare;
    std::function<void()> undo;
    const char* message;  // what the error says
};

TEST(HostSession, AStartThatFailsPartWayLeavesNothingBehind) {
    const std::filesystem::path bin = HostSession::ExecutableFolder();
    ASSERT_FALSE(IsOleInitializedInProcess());
    // An object standing in the framework's place in the class-object table.
    ComPtr<HostPart> squatter(new HostPart);
    DWORD cookie = 0;

    const FailedStart cases[] = {
        {"no framework library", [](const TempFolder& folder) { return folder.Path(); }, [] {},
         "cannot open shared object file"},
        {"a library that is no framework",
         [&](const TempFolder& folder) {
             std::filesystem::create_symlink(bin / "libtarvel.so", folder.Path() / "libKyt.so");
             return folder.Path();
         },
         [] {}, "libKyt.so has no DllGetClassObject"},
        {"the last class object is taken: the first ones are registered, then the start fails",
         [&](const TempFolder&) {
             OleInitialize(nullptr);
             EXPECT_EQ(CoRegisterClassObject(CLSID_HostApplication, Squatter(squatter),
                                             CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
                       S_OK);
             return bin;
         },
         [&] {
             CoRevokeClassObject(cookie);
             OleUninitialize();
         },
         "cannot register the framework's class objects"},
    };
    for (const FailedStart& failed : cases) {
        SCOPED_TRACE(failed.name);
        TempFolder folder;
        const std::filesystem::path from = failed.prepare(folder);
        try {
            HostSession session(from);
            ADD_FAILURE() << "the session started";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(failed.message), std::string::npos)
                << error.what();
        }
        EXPECT_FALSE(LoadedElsewhere(from / "libKyt.so")) << "the failed start kept it loaded";
        failed.undo();
        EXPECT_FALSE(IsOleInitializedInProcess()) << "the failed start left OLE initialised";

        // The framework starts afterwards and serves the host: its class objects were revoked.
        {
            HostSession session(bin);
            EXPECT_NE(session.Registry(), nullptr);
            EXPECT_NE(session.Application(), nullptr);
            ExtensionModule& module = session.LoadExtension(bin / "libtarvel.so");
            EXPECT_EQ(module.VersionKey(u"ExtensionType"), u"Extension");
            const ComPtr<HostDocument> document = session.OpenDocument(nullptr);
            EXPECT_EQ(document->Extensions().size(), 1u);
        }
        EXPECT_FALSE(IsOleInitializedInProcess());
        EXPECT_FALSE(LoadedElsewhere(bin / "libKyt.so"));
    }
}

// A library that is no extension, or whose registration fails, is refused with the reason;
// the session goes on. Documents still open when the session ends are closed before the
// libraries go, and a menu item chosen with no document to handle it does nothing.
TEST(HostSession, RefusesLibrariesThatAreNoExtensionAndClosesWhatIsLeftOpen) {
    const std::filesystem::path bin = HostSession::ExecutableFolder();
    TempFolder folder;
    const struct {
        std::filesystem::path path;
        const char* message;
    } refused[] = {
        {folder.Path() / "libmissing.so", "cannot open shared object file"},
        {bin / "libKyt.so",
         "libKyt.so is not an extension module (its version keys do not say so)"},
        {bin / "librefusing_extension.so", "DllRegisterClassObjects failed (0x80004005)"},
    };
    ComPtr<HostDocument> left;
    {
        HostSession session(bin);
        for (const auto& r : refused) {
            try {
                session.LoadExtension(r.path);
                ADD_FAILURE() << r.path;
            } catch (const std::runtime_error& error) {
                EXPECT_NE(std::string(error.what()).find(r.message), std::string::npos)
                    << error.what();
            }
        }
        session.LoadExtension(bin / "libtarvel.so");
        const std::vector<MenuItem> items = session.MenuItems();
        ASSERT_EQ(items.size(), 1u);
        const MenuItemState state = session.QueryMenuItem(items[0], nullptr);
        EXPECT_FALSE(state.enabled);
        EXPECT_FALSE(state.checked);
        EXPECT_EQ(session.ChooseMenuItem(items[0], nullptr), E_NOINTERFACE);

        left = session.OpenDocument(nullptr);
        ASSERT_EQ(left->Extensions().size(), 1u);
    }
    // A class that hands the menu no list adds nothing to it.
    ComPtr<CommandMenu> menu(new CommandMenu);
    EXPECT_EQ(menu->AddCommandList(nullptr), E_POINTER);
    EXPECT_EQ(menu->ListCount(), 0u);

    // Its extension document was let go of while its library was still there.
    EXPECT_TRUE(left->Extensions().empty());
    left.Reset();
    EXPECT_FALSE(LoadedElsewhere(bin / "libKyt.so"));
    EXPECT_FALSE(LoadedElsewhere(bin / "libtarvel.so"));
}

TEST(HostSession, ALibraryThatCannotBeLoadedIsReportedWithTheLoadersReason) {
    TempFolder folder;
    const std::string library = folder.PathOf("libKyt.so");
    try {
        HostSession session(folder.Path());
        FAIL() << "a session started without its framework library";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "cannot load " + library + ": " + library +
                      ": cannot open shared object file: No such file or directory");
    }
}

}  // namespace
}  // namespace session

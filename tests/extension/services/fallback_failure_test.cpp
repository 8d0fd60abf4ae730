// The framework fallback when the framework library beside the host executable is missing or
// has no DllGetClassObject: a message box, then the end of the process with exit code -1.
// framework_probe is run from a folder of its own, which holds what the test puts there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/helpers/temp_folder.h"

namespace {

namespace fs = std::filesystem;

fs::path TestFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// `text` as a regular expression that matches it exactly.
std::string Literal(const std::string& text) {
    std::string pattern;
    for (char c : text) {
        if (std::string(".[]{}()\\*+?|^$").find(c) != std::string::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

class FallbackFailure : public ::testing::Test {
protected:
    // A folder below the root (made), holding the probe and, when `library` is given, that
    // library under the name libKyt.so.
    fs::path PrepareFolder(const fs::path& relative, const char* library) {
        const fs::path folder = root_.Path() / relative;
        fs::create_directories(folder);
        fs::copy_file(TestFolder() / "framework_probe", folder / "framework_probe");
        if (library != nullptr)
            fs::copy_file(TestFolder() / library, folder / "libKyt.so");
        return folder;
    }

    // Runs the probe in `folder` in place of this process (in the death test's child).
    static void RunProbe(const fs::path& folder) {
        // The probe finds the platform runtime in the test's folder, not beside itself.
        ::setenv("LD_LIBRARY_PATH", TestFolder().c_str(), 1);
        const std::string probe = (folder / "framework_probe").string();
        ::execl(probe.c_str(), probe.c_str(), static_cast<char*>(nullptr));
        std::_Exit(99);  // the probe could not be started
    }

    static std::string ExpectedBox(const fs::path& folder) {
        const std::string text = "Varnis failed to load " + (folder / "libKyt.so").string();
        return Literal("Varnis load failed|" + text.substr(0, 511) + "|0") + "\n";
    }

    TempFolder root_;
};

TEST_F(FallbackFailure, LibraryWithoutDllGetClassObjectEndsTheProcess) {
    const fs::path folder = PrepareFolder("no-entry", "libkyt_without_entry.so");
    EXPECT_EXIT(RunProbe(folder), ::testing::ExitedWithCode(255), ExpectedBox(folder));
}

TEST_F(FallbackFailure, MissingLibraryEndsTheProcess) {
    const fs::path folder = PrepareFolder("missing", nullptr);
    EXPECT_EXIT(RunProbe(folder), ::testing::ExitedWithCode(255), ExpectedBox(folder));
}

TEST_F(FallbackFailure, LongHostPathIsCutAt511Characters) {
    fs::path relative;
    for (int i = 0; i < 3; ++i)
        relative /= std::string(200, static_cast<char>('a' + i));
    const fs::path folder = PrepareFolder(relative, "libkyt_without_entry.so");
    ASSERT_GT(folder.string().size(), 600u);
    EXPECT_EXIT(RunProbe(folder), ::testing::ExitedWithCode(255), ExpectedBox(folder));
}

TEST_F(FallbackFailure, RealLibraryBesideTheProbeStartsTheFramework) {
    const fs::path folder = PrepareFolder("real", "libKyt.so");
    EXPECT_EXIT(
        {
            // Only the probe's output decides: end with its exit code.
            RunProbe(folder);
        },
        ::testing::ExitedWithCode(0), "^$");
}

}  // namespace

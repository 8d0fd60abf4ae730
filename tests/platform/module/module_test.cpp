#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

#include "platform/error/last_error.h"
#include "platform/module/module.h"
#include "platform/module/resource.h"
#include "platform/module/this_module.h"
#include "platform/oleaut/bstr.h"

namespace {

using AnswerFunction = int (*)();
using HandleFunction = HMODULE (*)();

std::string ExecutablePath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return std::string(path, static_cast<std::size_t>(length));
}

TEST(Module, NullModuleIsTheExecutable) {
    const HMODULE executable = ExecutableModule();
    ASSERT_NE(executable, nullptr);
    EXPECT_EQ(GetModuleHandleW(nullptr), executable);
    EXPECT_EQ(ThisModule(), executable);  // this test code is linked into the executable
    // The handle is the image's start: the ELF header.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(executable), 4),
              "\x7F"
              "ELF");

    char path[PATH_MAX];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    EXPECT_EQ(std::string(path, length), ExecutablePath());
    char16_t widePath[PATH_MAX];
    EXPECT_EQ(GetModuleFileNameW(executable, widePath, PATH_MAX), length);
}

TEST(Module, FileNameThatDoesNotFitIsCutAndTerminated) {
    const std::string full = ExecutablePath();
    char path[5] = {'x', 'x', 'x', 'x', 'x'};
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, 5), 5u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(path), full.substr(0, 4));
}

TEST(Module, LoadsFindsExportsAndUnloads) {
    const HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(module), 4),
              "\x7F"
              "ELF");

    auto answer = reinterpret_cast<AnswerFunction>(GetProcAddress(module, "TestModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(ModuleFromAddress(reinterpret_cast<const void*>(answer)), module);

    auto ownHandle =
        reinterpret_cast<HandleFunction>(GetProcAddress(module, "TestModuleOwnHandle"));
    ASSERT_NE(ownHandle, nullptr);
    EXPECT_EQ(ownHandle(), module);

    char path[PATH_MAX];
    const DWORD length = GetModuleFileNameA(module, path, sizeof path);
    char resolved[PATH_MAX];
    ASSERT_NE(realpath(TEST_MODULE_PATH, resolved), nullptr);
    EXPECT_EQ(std::string(path, length), resolved);

    EXPECT_EQ(GetModuleHandleW(u"" TEST_MODULE_PATH), module);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(u"" TEST_MODULE_PATH), nullptr);
}

TEST(Module, ExportsOfDependenciesDoNotCount) {
    const HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
    ASSERT_NE(module, nullptr);
    // The module links the platform runtime, so the loader would find this one through it.
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetProcAddress(module, "SysFreeString"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST(Module, EveryLoadNeedsItsFree) {
    const HMODULE first = LoadLibraryW(u"" TEST_MODULE_PATH);
    const HMODULE second = LoadLibraryA(TEST_MODULE_PATH);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(GetModuleHandleW(u"" TEST_MODULE_PATH), first);  // still loaded once
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(GetModuleHandleW(u"" TEST_MODULE_PATH), nullptr);
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Module, HandleFromAddressCountsALoadUnlessAskedNotTo) {
    const HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
    ASSERT_NE(module, nullptr);
    const void* inside = reinterpret_cast<const void*>(GetProcAddress(module, "TestModuleAnswer"));
    HMODULE found = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   static_cast<LPCWSTR>(inside), &found));
    EXPECT_EQ(found, module);
    ASSERT_TRUE(GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        static_cast<LPCWSTR>(inside), &found));
    EXPECT_EQ(found, module);
    EXPECT_TRUE(FreeLibrary(module));  // the load of GetModuleHandleExW
    EXPECT_NE(GetModuleHandleW(u"" TEST_MODULE_PATH), nullptr);
    EXPECT_TRUE(FreeLibrary(module));  // LoadLibraryA's
    EXPECT_EQ(GetModuleHandleW(u"" TEST_MODULE_PATH), nullptr);
}

TEST(Module, MissingModulesAreReported) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryA("/nonexistent/libnothing.so"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryA(""), nullptr);
    EXPECT_EQ(GetModuleHandleW(u"libnothing.so"), nullptr);
    int onTheStack = 0;
    EXPECT_EQ(ModuleFromAddress(&onTheStack), nullptr);
    HMODULE found = reinterpret_cast<HMODULE>(1);
    EXPECT_FALSE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                    reinterpret_cast<LPCWSTR>(&onTheStack), &found));
    EXPECT_EQ(found, nullptr);
}

TEST(Module, ResourcesComeAndGoWithTheModule) {
    const HMODULE module = LoadLibraryA(TEST_MODULE_PATH);
    ASSERT_NE(module, nullptr);
    HRSRC bitmap = FindResourceW(module, MAKEINTRESOURCEW(208), RT_BITMAP);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(SizeofResource(module, bitmap), 5u);
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, bitmap)));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[4], 5);
    EXPECT_EQ(ModuleFromAddress(bytes), module);  // the bytes stay in the module's image
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_STRING), nullptr);  // ids 0 to 15
    EXPECT_TRUE(FreeLibrary(module));

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(208), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

}  // namespace

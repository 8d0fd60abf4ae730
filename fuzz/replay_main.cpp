// A main for the fuzz harnesses in builds without libFuzzer: runs the harness once over every
// file of the folders (or files) it is given, in name order, and names each input as it goes,
// so that a harness that stops on an input leaves that input's name as the last line. The
// sanitizer build links every harness with it and runs the seeds and kept corpora as tests.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& place) {
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_directory(place)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(place))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    } else {
        inputs.push_back(place);
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

bool Replay(const std::filesystem::path& input) {
    std::ifstream file(input, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", input.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    std::fprintf(stderr, "%s\n", input.c_str());
    // An empty vector's data() may be null; a harness gets a valid pointer in any case.
    static const std::uint8_t kNothing = 0;
    LLVMFuzzerTestOneInput(
        bytes.empty() ? &kNothing : reinterpret_cast<const std::uint8_t*>(bytes.data()),
        bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER_OR_FILE...\n", argv[0]);
        return 2;
    }
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (!std::filesystem::exists(argv[i], error)) {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 2;
        }
        for (const auto& input : InputsOf(argv[i])) {
            if (!Replay(input))
                return 2;
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return 0;
}

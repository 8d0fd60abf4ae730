// The layer order (tests/layers/layer_rules.h): the rule on a table of cases, then every
// #include of the source tree against it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/layers/layer_rules.h"

namespace {

TEST(LayerRules, AllowDownwardAndRefuseUpwardIncludes) {
    struct Case {
        const char* file;
        const char* included;
        bool allowed;
    };
    const Case cases[] = {
        {"platform/ui/window.cpp", "platform/gdi/gdi.h", true},
        {"platform/gdi/gdi.h", "host/api/message.h", false},
        {"host/api/message.h", "platform/com/unknown.h", true},
        {"host/api/message.h", "support/string/tev_string.h", false},
        {"support/string/string_rep.h", "host/api/tev_string_interface.h", true},
        {"support/resource/load_string.h", "extension/branding/brand_table.h", false},
        {"config/event_config.h", "support/format/format_stream.h", true},
        {"config/event_config.cpp", "streams/bin_stream.h", false},
        {"streams/bin_stream.cpp", "config/rule.h", true},
        {"dialog/number_text.cpp", "extension/document/doc.h", false},
        {"extension/document/doc.cpp", "dialog/range_validators.h", true},
        {"resources/string_table.cpp", "support/string/tev_string.h", false},
        {"host/session/host_document.cpp", "support/string/tev_string.h", true},
        {"host/kyt/framework.h", "host/api/message.h", true},
        {"host/ostrel/check_command.cpp", "config/event_config.h", false},
        {"host/ostrel/ostrel_host.cpp", "streams/storage_bin_istream_lite.h", false},
        {"host/ostrel/main.cpp", "resources/string_ids.h", false},
        {"host/ostrel/main.cpp", "host/inspect/tarvel_formats.h", true},
        {"host/inspect/tarvel_formats.cpp", "config/event_config.h", true},
        {"host/inspect/tarvel_formats.cpp", "extension/document/identities.h", true},
        {"support/xml/fxml_reader.cpp", "fxml_scanner.h", false},  // not by its root path
        {"support/xml/fxml_reader.cpp", "tests/helpers/temp_folder.h", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!layers::Violation(c.file, c.included).has_value(), c.allowed)
            << c.file << " includes " << c.included;
    }
}

TEST(LayerRules, QuotedIncludesAreFoundWhateverTheSpacing) {
    const std::string text =
        "#include <vector>\n"
        "#include \"platform/com/guid.h\"\n"
        "  #  include   \"host/api/message.h\"  // why\n"
        "// #include \"extension/doc.h\" is a comment\n"
        "#pragma once\n"
        "#include \"config/rule.h\"";
    EXPECT_EQ(
        layers::QuotedIncludes(text),
        (std::vector<std::string>{"platform/com/guid.h", "host/api/message.h", "config/rule.h"}));
}

TEST(LayerOrder, NoFileIncludesALayerAboveItsOwn) {
    const std::filesystem::path root = TARVEL_SOURCE_DIR;
    int files = 0;
    for (const std::string& folder : layers::CheckedFolders()) {
        ASSERT_TRUE(std::filesystem::is_directory(root / folder)) << folder;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
                continue;
            ++files;
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            const std::string file = entry.path().lexically_relative(root).generic_string();
            for (const std::string& included : layers::QuotedIncludes(text.str())) {
                if (auto why = layers::Violation(file, included))
                    ADD_FAILURE() << file << " includes \"" << included << "\": " << *why;
            }
        }
    }
    EXPECT_GT(files, 100) << "the source tree was not found at " << root;
}

}  // namespace

// The layer order (tests/layers/layer_rules.h): the rule on a table of cases, then every
// #include of the source tree against it, and every folder of the tree in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
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
        // Inside platform/ and host/, folder by folder.
        {"platform/gdi/gdi.h", "platform/ui/user_types.h", false},
        {"platform/gdi/gdi.h", "platform/win_types.h", true},
        {"platform/ui/input.cpp", "platform/ui/controls/control_support.h", false},
        {"platform/ui/controls/tab_class.cpp", "platform/ui/user.h", true},
        {"platform/ui/controls/tab_class.cpp", "platform/theme/theme_service.h", true},
        {"platform/theme/theme_service.cpp", "platform/ui/owl/window.h", false},
        {"platform/ui/owl/window.cpp", "platform/screen/screen_user.h", false},
        {"host/device/output_engine.h", "host/preview/trace.h", false},
        {"host/preview/formats/csv_format.cpp", "host/device/signals.h", true},
        {"host/preview/formats/csv_format.cpp", "host/preview/reports/report_writer.h", false},
        {"host/preview/reports/plot_report.cpp", "host/preview/formats/input_scale.h", true},
        {"host/ostrel/preview_command.cpp", "host/preview/reports/report_writers.h", true},
        {"host/preview/reports/vcd_report.cpp", "host/files/output_file.h", true},
        {"host/files/output_file.cpp", "host/session/host_session.h", false},
        {"python/programmed_device.cpp", "host/ostrel/ostrel_host.h", true},
        {"python/programmed_device.cpp", "config/event_config.h", false},
        {"host/ostrel/preview_command.cpp", "python/event_table.h", false},
        // Folders side by side include each other in neither direction.
        {"support/format/word_wrap.cpp", "support/resource/load_string.h", false},
        {"support/resource/load_string.cpp", "support/format/format_stream.h", false},
        {"host/device/simulated_corvex.cpp", "host/session/document_file.h", false},
        {"extension/services/xhresult.cpp", "extension/branding/brand_table.h", false},
        // A folder without a rank.
        {"host/replay/pipeline.cpp", "host/device/signals.h", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!layers::Violation(c.file, c.included).has_value(), c.allowed)
            << c.file << " includes " << c.included;
    }
    EXPECT_EQ(layers::Violation("platform/gdi/gdi.h", "platform/ui/user_types.h"),
              "platform/gdi is below platform/ui in the layer order");
    EXPECT_EQ(layers::Violation("support/format/word_wrap.cpp", "support/resource/load_string.h"),
              "support/format and support/resource stand side by side in the layer order: "
              "neither includes the other");
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
    std::set<std::string> unranked;
    for (const std::string& folder : layers::CheckedFolders()) {
        ASSERT_TRUE(std::filesystem::is_directory(root / folder)) << folder;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
                continue;
            ++files;
            const std::string file = entry.path().lexically_relative(root).generic_string();
            const std::string parent =
                entry.path().parent_path().lexically_relative(root).generic_string();
            if (!layers::RankOf(parent)) {
                unranked.insert(parent);  // named once, not for every include
                continue;
            }
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            for (const std::string& included : layers::QuotedIncludes(text.str())) {
                if (auto why = layers::Violation(file, included))
                    ADD_FAILURE() << file << " includes \"" << included << "\": " << *why;
            }
        }
    }
    EXPECT_GT(files, 100) << "the source tree was not found at " << root;
    for (const std::string& folder : unranked)
        ADD_FAILURE() << folder << " holds code but has no rank in tests/layers/layer_rules.cpp";
}

}  // namespace

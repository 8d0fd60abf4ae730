// Reading the same wide texts with FXMLReader and with pugixml, in the same run. pugixml is
// handed the wide text as it is (wchar_t encoding) and builds its own tree, as the reader
// does. Items are characters.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <string>

#include "bench/xml/bench_documents.h"
#include "support/xml/fxml_reader.h"

namespace {

void ReadWithFXMLReader(benchmark::State& state, const std::wstring& text) {
    for (auto _ : state) {
        FXMLReader reader;
        auto root = reader.Parse(text);
        if (!root) {
            state.SkipWithError("FXMLReader failed");
            return;
        }
        benchmark::DoNotOptimize(root->FindChild(L"PhysicalGainIndex"));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void ReadWithPugixml(benchmark::State& state, const std::wstring& text) {
    for (auto _ : state) {
        pugi::xml_document document;
        const pugi::xml_parse_result result = document.load_buffer(
            text.data(), text.size() * sizeof(wchar_t), pugi::parse_default, pugi::encoding_wchar);
        if (!result) {
            state.SkipWithError("pugixml failed");
            return;
        }
        benchmark::DoNotOptimize(document.document_element().child("PhysicalGainIndex"));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

const std::wstring& Channel() {
    static const std::wstring text = ChannelDescription();
    return text;
}

const std::wstring& Large() {
    static const std::wstring text = LargeDocument(100 * 1024);
    return text;
}

void BM_FXMLReader_ChannelDescription(benchmark::State& state) {
    ReadWithFXMLReader(state, Channel());
}
void BM_Pugixml_ChannelDescription(benchmark::State& state) {
    ReadWithPugixml(state, Channel());
}
void BM_FXMLReader_100KB(benchmark::State& state) {
    ReadWithFXMLReader(state, Large());
}
void BM_Pugixml_100KB(benchmark::State& state) {
    ReadWithPugixml(state, Large());
}

BENCHMARK(BM_FXMLReader_ChannelDescription);
BENCHMARK(BM_Pugixml_ChannelDescription);
BENCHMARK(BM_FXMLReader_100KB);
BENCHMARK(BM_Pugixml_100KB);

}  // namespace

BENCHMARK_MAIN();

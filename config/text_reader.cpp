#include "config/text_reader.h"

#include <stdexcept>
#include <string>

namespace VavazaZavidi {

void SwallowKey(std::istream& in, std::string_view key) {
    std::string word;
    std::string equals;
    in >> std::ws >> word >> equals;
    if (!in || word != key || equals != "=") {
        throw std::runtime_error("Vavaza Zavidi: Parse error in swallow key.");
    }
    in >> std::ws;
}

void SwallowLabel(std::istream& in, std::string_view label) {
    std::string word;
    in >> std::ws >> word;
    if (!in || word != label) {
        throw std::runtime_error("Vavaza Zavidi: Parse error in swallow label.");
    }
    in >> std::ws;
}

}  // namespace VavazaZavidi

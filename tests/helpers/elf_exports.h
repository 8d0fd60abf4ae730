// Reads the names a shared library exports from its dynamic symbol table (.dynsym): the
// defined global and weak symbols, as the dynamic linker sees them.
//   EXPECT_EQ(ElfExports("build/bin/libKyt.so"), std::set<std::string>{"DllGetClassObject"});
#pragma once

#include <elf.h>

#include <cstring>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

inline std::set<std::string> ElfExports(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        throw std::runtime_error("cannot open " + path);
    // Read in one go: a library with debug information is tens of megabytes, too many to
    // take a byte at a time in an unoptimised build.
    std::vector<char> bytes(static_cast<std::size_t>(file.tellg()));
    file.seekg(0);
    if (!file.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot read " + path);
    auto read = [&](std::size_t offset, auto* out) {
        if (offset > bytes.size() || bytes.size() - offset < sizeof *out) {
            throw std::runtime_error("truncated ELF file " + path);
        }
        std::memcpy(out, bytes.data() + offset, sizeof *out);
    };
    Elf64_Ehdr header;
    read(0, &header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64) {
        throw std::runtime_error("not a 64-bit ELF file: " + path);
    }
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        read(header.e_shoff + i * header.e_shentsize, &sections[i]);
    }
    std::set<std::string> names;
    for (const Elf64_Shdr& section : sections) {
        if (section.sh_type != SHT_DYNSYM)
            continue;
        const Elf64_Shdr& strings = sections.at(section.sh_link);
        for (std::size_t offset = 0; offset + sizeof(Elf64_Sym) <= section.sh_size;
             offset += sizeof(Elf64_Sym)) {
            Elf64_Sym symbol;
            read(section.sh_offset + offset, &symbol);
            const unsigned binding = ELF64_ST_BIND(symbol.st_info);
            if (symbol.st_shndx == SHN_UNDEF || symbol.st_name == 0)
                continue;
            if (binding != STB_GLOBAL && binding != STB_WEAK && binding != STB_GNU_UNIQUE)
                continue;
            if (strings.sh_offset + symbol.st_name >= bytes.size())
                continue;
            names.insert(bytes.data() + strings.sh_offset + symbol.st_name);
        }
    }
    return names;
}

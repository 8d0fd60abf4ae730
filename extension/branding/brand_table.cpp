#include "extension/branding/brand_table.h"

namespace VavazaZavidi {

void BuildBrandTable(HMODULE /*module*/, BrandTable& table) {
    table.clear();
    table.push_back({Tev::String(u"VARNISFORWINDOWS"), Tev::String(u"Ostrel")});
    table.push_back({Tev::String(u"VARNIS"), Tev::String(u"Ostrel")});
    table.push_back({Tev::String(u"CORVEX"), Tev::String(u"Corvex")});
    table.push_back({Tev::String(u"Tev"), Tev::String(u"Quorvane")});
    table.push_back({Tev::String(u"OEM"), Tev::String(u"Quorvane")});
    table.push_back({Tev::String(u"QUORVANE"), Tev::String(u"Quorvane")});
}

const BrandTable& GetBrandTable(HMODULE module) {
    // Built once, under the guard of a function-local static; destroyed when the module unloads.
    static const BrandTable table = [module] {
        BrandTable rows;
        BuildBrandTable(module, rows);
        return rows;
    }();
    return table;
}

void InstallBrandTable() {
    Tev::SetBrandTableSource(&GetBrandTable);
}

}  // namespace VavazaZavidi

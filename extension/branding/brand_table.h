// The brand table: the ordered (find text, replacement) pairs through which the module's
// substituted texts pass, so that brand tokens come out as the product, hardware and company
// names. Made once per process on the first substituted load, released when the module
// unloads. Matching is case-sensitive and exact; rows apply in order, each to the result of the
// rows before it, so "VARNISFORWINDOWS" is replaced as a whole before "VARNIS" is looked for.
#pragma once

#include <vector>

#include "platform/win_types.h"
#include "support/resource/load_string.h"

namespace VavazaZavidi {

// The row and table types are the ones Tev::LoadString substitutes with.
using BrandSubstitution = Tev::BrandSubstitution;
using BrandTable = Tev::BrandTable;

// Clears `table` and fills it with the rows in order. `module` is the module whose string is
// being loaded; the rows do not depend on it.
void BuildBrandTable(HMODULE module, BrandTable& table);

// The process's table, built with BuildBrandTable on the first call.
const BrandTable& GetBrandTable(HMODULE module);

// Makes GetBrandTable the table Tev::LoadString substitutes with.
void InstallBrandTable();

}  // namespace VavazaZavidi

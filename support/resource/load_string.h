// Loading texts from a module's string table (platform/module/string_table.h for the layout).
//
// LoadResourceText(module, id) reads string `id` raw: block id / 16 + 1, entry id % 16. When
// the user-interface library's application object exists (GetApplicationLanguage), the block
// is first looked for in the application's language; when that block or the entry is missing,
// the lookup is repeated with the default language search. An entry of length 0, an id above
// 65535 and an entry that would run past the end of its block count as missing: the result is
// the empty string. A found text gets a representation of capacity max(length + 1, 8).
//
// LoadString(module, id, substitute) is the same, except that id 0 gives the empty string and,
// with `substitute`, the text then passes through the brand table: for each row in order the
// text is scanned from its start, every occurrence of the row's find text is replaced, and the
// scan goes on right after the inserted replacement. The table comes from the source the module
// installs with SetBrandTableSource (the extension installs its own when it loads); without a
// source, texts are left as they are.
//
// The null module is the host executable.
#pragma once

#include <functional>
#include <vector>

#include "platform/win_types.h"
#include "support/string/tev_string.h"

namespace Tev {

// One row of a brand table.
struct BrandSubstitution {
    String find;
    String replacement;
};

using BrandTable = std::vector<BrandSubstitution>;

// Gives the brand table for the module whose string is being loaded.
using BrandTableSource = std::function<const BrandTable&(HMODULE module)>;

void SetBrandTableSource(BrandTableSource source);

String LoadResourceText(HMODULE module, UINT id);

String LoadString(HMODULE module, UINT id, bool substitute = true);

// Applies the brand table's rows to `text` as LoadString does.
void ApplyBrandSubstitutions(String& text, const BrandTable& table);

}  // namespace Tev

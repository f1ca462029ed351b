// The PGPLOT table drawn by giza, with giza's departures from PGPLOT mended here.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "pgplot_api.h"

namespace pgplot {

std::unique_ptr<PgplotApi> makeGizaApi();

// giza reads _ ^ { } as TeX-style sub/superscript and grouping: a plain text has them escaped,
// a text that uses PGPLOT's own backslash escapes is passed as it stands. Italic text (font 3,
// which giza lacks) is switched to italic by an escape at its start.
std::string gizaText(std::string_view text, bool italic);

// PGPLOT line style 1 to 5 as giza's pattern number, and back.
int gizaLineStyle(int pgplotStyle);
int pgplotLineStyle(int gizaStyle);

} // namespace pgplot

#pragma once
#include "xml/querier.h"

namespace ostrel {

// "use_score": only the exact text "false" turns scoring off; any other
// text ("False", "0", "no") leaves it on.
bool read_use_score(const xml::Querier& querier);

}  // namespace ostrel

#include "filters/features/use_score.h"

namespace ostrel {

bool read_use_score(const xml::Querier& querier) {
    return querier.tag("use_score").raw_text() != "false";
}

}  // namespace ostrel

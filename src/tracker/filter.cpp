#include "tracker/filter.h"

namespace ostrel {

FilterFactory& filter_factory() {
    static FilterFactory instance;
    return instance;
}

FilterPtr make_filter_in(const xml::Querier& slot) { return filter_factory().create(slot.tag()); }

}  // namespace ostrel

#include "model/state.h"

#include "model/cast_context.h"

namespace state {

std::string State::kind_name(int identity) { return model::kind_name<StateFamily>(identity); }

void State::throw_cast_failure(int expected, int found) {
    throw util::Exception(
        model::cast_failure("State::cast()", kind_name(expected), found == 0 ? "none" : kind_name(found)));
}

StateFactory& factory() {
    static StateFactory instance;
    return instance;
}

}  // namespace state

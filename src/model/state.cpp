#include "model/state.h"

namespace state {

StateFactory& factory() {
    static StateFactory instance;
    return instance;
}

}  // namespace state

#include "model/label.h"

namespace state {

std::int32_t take_label_source() {
    static std::int32_t counter = -1;
    return ++counter;
}

}  // namespace state

#include "imaging/operators/color_maps.h"

#include "util/exception.h"

namespace ipc {

void UnsignedShortToUnsignedCharColorMap::fail(unsigned short v) {
    throw util::Exception("UnsignedShortToUnsignedCharColorMap problem " + std::to_string(v));
}

}  // namespace ipc

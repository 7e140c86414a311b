#pragma once
#include <memory>
#include <vector>

#include "xml/querier.h"

namespace ostrel {

// Which emitter modes each platform type can show: read from a
// "platform_esm_mode_library" element holding one child per platform type,
// each with "type" (an index below the number of children, each listed once)
// and "esm_modes" (the mode indices, one per child element, each listed once).
class PlatformModeLibrary {
public:
    explicit PlatformModeLibrary(const xml::Querier& library);

    // The number of platform types.
    int size() const { return static_cast<int>(modes_.size()); }
    // The mode indices of one platform type, in listed order.
    const std::vector<int>& modes(int type) const { return modes_[type]; }
    // One more than the largest mode index listed (0 when none is).
    int mode_count() const { return mode_count_; }

private:
    std::vector<std::vector<int>> modes_;
    int mode_count_ = 0;
};

// The library read from its element, for parameter schemas.
std::shared_ptr<const PlatformModeLibrary> read_platform_mode_library(const xml::Querier& library);

}  // namespace ostrel

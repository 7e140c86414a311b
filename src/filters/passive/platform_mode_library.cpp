#include "filters/passive/platform_mode_library.h"

#include <algorithm>

#include "filters/passive/passive_parameters.h"
#include "util/exception.h"

namespace ostrel {

PlatformModeLibrary::PlatformModeLibrary(const xml::Querier& library) {
    const std::vector<xml::Querier> entries = library.tags();
    const int count = static_cast<int>(entries.size());
    modes_.resize(count);
    std::vector<bool> listed(count, false);
    for (const xml::Querier& entry : entries) {
        const int type = entry.read<int>("type");
        if (type < 0 || type >= count)
            throw util::Exception("unknown platform type in PlatformModeLibrary, type " +
                                  std::to_string(type));
        if (listed[type])
            throw util::Exception("platform type listed twice in PlatformModeLibrary, type " +
                                  std::to_string(type));
        listed[type] = true;
        std::vector<int> modes = read_index_list(entry.tag("esm_modes"));
        for (std::size_t k = 0; k < modes.size(); ++k) {
            const std::string where = " in PlatformModeLibrary, type " + std::to_string(type) +
                                      ": mode = " + std::to_string(modes[k]);
            if (modes[k] < 0) throw util::Exception("negative mode index" + where);
            if (std::find(modes.begin(), modes.begin() + k, modes[k]) != modes.begin() + k)
                throw util::Exception("mode listed twice" + where);
            mode_count_ = std::max(mode_count_, modes[k] + 1);
        }
        modes_[type] = std::move(modes);
    }
}

std::shared_ptr<const PlatformModeLibrary> read_platform_mode_library(const xml::Querier& library) {
    return std::make_shared<const PlatformModeLibrary>(library);
}

}  // namespace ostrel

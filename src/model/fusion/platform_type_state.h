#pragma once
#include <cstdint>

#include "model/state.h"

namespace fusion {

// A known platform type (an index into the platform library). Key
// "platform_type_state"; child "platform_type".
class PlatformTypeState : public state::StateTemplate<PlatformTypeState> {
public:
    static const char* key() { return "platform_type_state"; }

    explicit PlatformTypeState(std::int32_t platform_type) : platform_type(platform_type) {}
    explicit PlatformTypeState(const xml::Querier& querier)
        : platform_type(querier.read<std::int32_t>("platform_type")) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("platform_type", platform_type).end_tag();
    }

    const std::int32_t platform_type;
};

}  // namespace fusion

#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace fusion {

// A known platform type (an index into the platform library). Key
// "platform_type_state"; child "platform_type".
class PlatformTypeState : public state::StateTemplate<PlatformTypeState> {
public:
    static const char* key() { return "platform_type_state"; }

    explicit PlatformTypeState(std::int32_t platform_type) : platform_type(platform_type) {}
    struct Form {
        std::int32_t platform_type = 0;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema = config::Schema<Form>(key(), "the type of a platform")
                                       .required(&Form::platform_type, "platform_type", "the type number");
        return schema;
    }
    explicit PlatformTypeState(const xml::Querier& querier)
        : platform_type(schema().bind(querier).platform_type) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("platform_type", platform_type).end_tag();
    }

    const std::int32_t platform_type;
};

}  // namespace fusion

#pragma once
#include "config/parameterless.h"
#include "pipeline/component.h"

namespace cmpnt {

// Forwards every frame unchanged. Key "pass_through".
class PassThrough : public MonoChildComponent {
public:
    static const config::Schema<config::NoParameters>& schema() {
        return config::parameterless("pass_through", "passes every frame on unchanged");
    }

    PassThrough() = default;
    explicit PassThrough(const xml::Querier& querier) { schema().bind(querier); }
    void push_frame(FramePtr frame) override { child_->push_frame(std::move(frame)); }
};

}  // namespace cmpnt

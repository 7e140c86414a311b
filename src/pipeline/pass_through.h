#pragma once
#include "pipeline/component.h"

namespace cmpnt {

// Forwards every frame unchanged. Key "pass_through".
class PassThrough : public MonoChildComponent {
public:
    PassThrough() = default;
    explicit PassThrough(const xml::Querier&) {}
    void push_frame(FramePtr frame) override { child_->push_frame(std::move(frame)); }
};

}  // namespace cmpnt

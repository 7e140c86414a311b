#pragma once
#include <memory>
#include <vector>

#include "pipeline/component.h"

namespace test_support {

// The end of a test pipeline: keeps every frame it receives (null frames
// included, as the end-of-stream marks).
class Recorder : public cmpnt::Component {
public:
    void insert_child(cmpnt::ComponentPtr) override {}
    void push_frame(cmpnt::FramePtr frame) override { frames.push_back(std::move(frame)); }

    std::size_t end_marks() const {
        std::size_t n = 0;
        for (const auto& f : frames) n += f ? 0 : 1;
        return n;
    }
    std::vector<cmpnt::FramePtr> frames;
};

}  // namespace test_support

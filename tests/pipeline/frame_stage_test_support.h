#pragma once
#include <string>
#include <vector>

#include "pipeline/component.h"
#include "xml/querier.h"

namespace test_support {

// The end of a test pipeline: keeps every frame it receives, null included.
class FrameRecorder : public cmpnt::Component {
public:
    void insert_child(cmpnt::ComponentPtr) override {}
    void push_frame(cmpnt::FramePtr frame) override { frames.push_back(std::move(frame)); }
    std::vector<cmpnt::FramePtr> frames;
};

// A configuration element from its text (the declaration line is added).
inline xml::Querier element(const std::string& body) {
    return xml::Querier::parse("<?xml version=\"1.0\"?>\n" + body);
}

}  // namespace test_support

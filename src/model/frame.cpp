#include "model/frame.h"

#include "model/cast_context.h"

namespace frame {

std::string Frame::kind_name(int identity) { return model::kind_name<FrameFamily>(identity); }

void Frame::throw_cast_failure(const char* what, int expected, int found) {
    throw util::Exception(model::cast_failure(what, kind_name(expected), found == 0 ? "none" : kind_name(found)));
}

Frame::Frame(const xml::Querier& querier) : time(querier.read_finite<double>("time")) {}

FrameFactory& factory() {
    static FrameFactory instance;
    return instance;
}

}  // namespace frame

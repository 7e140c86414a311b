#include "model/frame.h"

namespace frame {

Frame::Frame(const xml::Querier& querier) : time(querier.read_finite<double>("time")) {}

FrameFactory& factory() {
    static FrameFactory instance;
    return instance;
}

}  // namespace frame

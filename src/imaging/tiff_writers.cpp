#include "imaging/tiff_writers.h"

#include "imaging/tiff_file_names.h"
#include "util/system.h"

namespace ipc {

TiffWriterBase::TiffWriterBase(const xml::Querier& querier) {
    directory_ = querier.read_raw("directory");
    querier.read("width", digits_);
    if (digits_ < 0)
        throw util::Exception("width must not be negative, width = " + std::to_string(digits_));
    util::System::make_directory(directory_);
}

void TiffWriterBase::push_frame(cmpnt::FramePtr frame) {
    if (frame) write(frame, numbered_tiff_name(directory_, ++counter_, digits_));
    child().push_frame(std::move(frame));
}

}  // namespace ipc

#include "imaging/tiff_writers.h"

#include "imaging/tiff_file_names.h"
#include "util/system.h"

namespace ipc {

const config::Schema<TiffWriterBase::Parameters>& TiffWriterBase::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("tiff_writer", "writes each frame to a numbered TIFF file of a fresh folder")
            .required(&P::directory, "directory",
                      "the output folder; an existing one is moved to the trash and made afresh")
            .required(&P::width, "width", "digits of the file numbers, padded with zeros (0: as many as needed)",
                      config::non_negative<int>().says("{entry} must not be negative, {entry} = {value}"));
    return schema;
}

TiffWriterBase::TiffWriterBase(const Parameters& parameters) : parameters_(schema().validate(parameters)) {
    util::System::make_directory(parameters_.directory);
}

void TiffWriterBase::push_frame(cmpnt::FramePtr frame) {
    if (frame) write(frame, numbered_tiff_name(parameters_.directory, ++counter_, parameters_.width));
    child().push_frame(std::move(frame));
}

}  // namespace ipc

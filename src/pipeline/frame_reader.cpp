#include "pipeline/frame_reader.h"

#include <algorithm>

#include "model/frame.h"

namespace cmpnt {

FrameReader::FrameReader(const xml::Querier& querier) {
    const std::string configured = querier.read_raw("directory");
    std::string directory = configured;
    std::replace(directory.begin(), directory.end(), '\\', '/');
    while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    if (directory.empty())
        throw util::Exception("frame_reader: directory must name a folder: directory = \"" +
                              configured + "\"");

    std::string pattern = "*.xml";
    querier.read_optional("pattern", pattern);

    files_ = util::System::dirl(directory + "/" + pattern);
    if (files_->empty())
        throw util::Exception("frame_reader: no frame file matches " + pattern + " in directory " +
                              directory);
}

bool FrameReader::push() {
    if (next_ < files_->size()) {
        xml::Querier file = xml::Querier::open((*files_)[next_++]);
        FramePtr frame = frame::factory().create(file);
        child().push_frame(std::move(frame));
        return true;
    }
    // The end of the stream is passed on exactly once, however often the
    // source is asked again.
    if (!ended_) {
        ended_ = true;
        child().push_frame(nullptr);
    }
    return false;
}

}  // namespace cmpnt

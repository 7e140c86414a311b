#include "pipeline/frame_reader.h"

#include <algorithm>
#include <sstream>

#include "model/frame.h"

namespace cmpnt {

namespace {

// The folder with "/" separators and no trailing separator ("/" stays).
std::string folder_of(std::string directory) {
    std::replace(directory.begin(), directory.end(), '\\', '/');
    while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    return directory;
}

// The first word of a pattern; a blank pattern has none.
std::string first_word(const std::string& text) {
    std::string word;
    std::istringstream(text) >> word;
    return word;
}

}  // namespace

const config::Schema<FrameReader::Parameters>& FrameReader::schema() {
    using P = Parameters;
    const config::Check<std::string> names_a_folder{
        "a folder", [](const std::string& d) { return !folder_of(d).empty(); },
        "{key}: {element} must name a folder: {entry} = {value}"};
    const config::Check<std::string> has_a_word{
        "a file name pattern", [](const std::string& p) { return !first_word(p).empty(); }, {}};
    static const auto schema =
        config::Schema<P>("frame_reader", "replays the XML frame files of a folder, in name order")
            .required(&P::directory, "directory", "the folder of the frame files", names_a_folder)
            .optional(&P::pattern, "pattern", "the files read (its first word, with * and ?)", has_a_word);
    return schema;
}

FrameReader::FrameReader(const Parameters& parameters) {
    const std::string directory = folder_of(schema().validate(parameters).directory);
    const std::string pattern = first_word(parameters.pattern);
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

#pragma once
#include <cstddef>
#include <string>

#include "config/schema.h"
#include "pipeline/component.h"
#include "util/system.h"

namespace cmpnt {

// A source that replays recorded frames: the XML frame files of a folder (as
// frame_writer writes them), in ascending name order, one frame per push,
// each made by the frame factory from its root element. After the last file
// it pushes the end of the stream and returns false.
// Key "frame_reader"; children "directory" and, optionally, "pattern"
// (default "*.xml"; its first word counts).
class FrameReader : public MonoChildComponent {
public:
    struct Parameters {
        std::string directory;  // "\\" and "/" alike; trailing separators are dropped
        std::string pattern = "*.xml";
    };
    static const config::Schema<Parameters>& schema();

    explicit FrameReader(const Parameters& parameters);
    explicit FrameReader(const xml::Querier& querier) : FrameReader(schema().bind(querier)) {}
    bool push() override;

    std::size_t file_count() const { return files_->size(); }

private:
    util::StringListPtr files_;
    std::size_t next_ = 0;
    bool ended_ = false;
};

}  // namespace cmpnt

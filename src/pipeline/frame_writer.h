#pragma once
#include <cstdint>
#include <string>

#include "config/schema.h"
#include "pipeline/component.h"

namespace cmpnt {

// Writes every frame that passes into its own XML file in an output folder,
// then passes the frame on unchanged. The file name is the folder, the frame
// time x time_factor zero-padded to time_width digits and "_" (only when
// time_width > 0), and the running file number zero-padded to count_width
// digits, then ".xml". Key "frame_writer"; children "directory", "create",
// "time_width", "time_factor", "count_width".
class FrameWriter : public MonoChildComponent {
public:
    struct Parameters {
        std::string directory;  // "\\" and "/" alike; a trailing separator is dropped
        bool create = false;    // move an existing folder to the trash and make a fresh one
        std::int32_t time_width = 0;
        double time_factor = 1;
        std::int32_t count_width = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit FrameWriter(const Parameters& parameters);
    explicit FrameWriter(const xml::Querier& querier) : FrameWriter(schema().bind(querier)) {}
    void push_frame(FramePtr frame) override;

    // The file a frame of this time gets as file number count.
    std::string file_name(double time, std::int32_t count) const;

private:
    void write(const Frame& frame, const std::string& name) const;

    std::string directory_;  // ends in "/"
    std::int32_t time_width_ = 0;
    double time_factor_ = 1;
    std::int32_t count_width_ = 0;
    std::int32_t count_ = -1;  // number of the last file written
};

}  // namespace cmpnt

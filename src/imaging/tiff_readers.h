#pragma once
#include <deque>
#include <string>
#include <vector>

#include "config/schema.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "pipeline/component.h"

namespace ipc {

// Source of a pipeline: one frame per TIFF file of "directory", in name
// order; the k-th file's frame has time "start_time" + k * "dt". After the
// last file, push() sends the end-of-stream null frame and returns false.
class TiffReaderBase : public cmpnt::MonoChildComponent {
public:
    struct Parameters {
        std::string directory;
        double start_time = 0;
        double dt = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit TiffReaderBase(const Parameters& parameters);
    explicit TiffReaderBase(const xml::Querier& querier) : TiffReaderBase(schema().bind(querier)) {}
    bool push() override;

    std::size_t pending() const { return names_.size(); }

protected:
    // Reads one file and pushes its frame with the given time.
    virtual void read_and_push(const std::string& name, double time) = 0;

    // Every frame of a sequence must have the first frame's size (width,
    // height and, for stacks, depth): the stages downstream keep per-pixel
    // and per-label state across frames. Throws naming the file that
    // differs; the first call records the size.
    void require_first_frame_size(const std::string& name, const std::vector<int>& size);

private:
    std::vector<int> first_size_;
    std::string first_name_;
    std::deque<std::string> names_;
    const Parameters parameters_;
    int counter_ = -1;
};

// Reads each 8- or 16-bit greyscale file as one Image<unsigned short>.
class ShortImageTiffReader : public TiffReaderBase {
public:
    using TiffReaderBase::TiffReaderBase;
    static std::string key();

protected:
    void read_and_push(const std::string& name, double time) override;
};

// Reads each multi-page file as one Image3d<unsigned short>, a page per slice.
class ShortImage3dTiffReader : public TiffReaderBase {
public:
    using TiffReaderBase::TiffReaderBase;
    static std::string key();

protected:
    void read_and_push(const std::string& name, double time) override;
};

// File reading used by the readers (and by tests and tools).
Image<unsigned short> read_short_image_tiff(const std::string& name);
Image3d<unsigned short> read_short_image_3d_tiff(const std::string& name);

}  // namespace ipc

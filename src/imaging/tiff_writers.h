#pragma once
#include <string>

#include "config/schema.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/segment_image.h"
#include "imaging/tiff_page_writer.h"
#include "imaging/type_words.h"
#include "model/frame.h"
#include "pipeline/component.h"

namespace ipc {

// Common part of the TIFF writers: the output folder (prepared, i.e. moved
// to the trash when it exists and created afresh, at construction), the
// number of digits of the file numbers ("width") and the file counter. The
// counter advances only on non-null frames, so files are numbered 0, 1, ...
// in frame order.
class TiffWriterBase : public cmpnt::MonoChildComponent {
public:
    struct Parameters {
        std::string directory;
        int width = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit TiffWriterBase(const Parameters& parameters);
    explicit TiffWriterBase(const xml::Querier& querier) : TiffWriterBase(schema().bind(querier)) {}

    void push_frame(cmpnt::FramePtr frame) override;

protected:
    // Writes one non-null frame to the named file.
    virtual void write(const cmpnt::FramePtr& input, const std::string& name) = 0;

private:
    const Parameters parameters_;
    int counter_ = -1;
};

// The image an image frame carries; a frame without one fails naming the
// writer's key.
template <class I>
const I& payload_of(const cmpnt::FramePtr& input, const std::string& key) {
    const auto image = frame::cast<frame::FrameTemplate<I>>(input)->payload;
    if (!image) throw util::Exception("image frame without payload in " + key);
    return *image;
}

// Writes each 2-D image frame to one single-page file.
template <class I>
class GreyscaleTiffWriter : public TiffWriterBase {
public:
    using TiffWriterBase::TiffWriterBase;
    static std::string key() { return type_word<I>() + "_tiff_writer"; }

protected:
    void write(const cmpnt::FramePtr& input, const std::string& name) override {
        write_greyscale_tiff(name, static_cast<const Image<typename I::value_type>&>(payload_of<I>(input, key())));
    }
};

// Writes each 3-D image frame to one multi-page file, a page per slice.
template <class I>
class Image3dTiffWriter : public TiffWriterBase {
public:
    using TiffWriterBase::TiffWriterBase;
    static std::string key() { return type_word<I>() + "_tiff_writer"; }

protected:
    void write(const cmpnt::FramePtr& input, const std::string& name) override {
        write_greyscale_tiff_stack(name,
                                   static_cast<const Image3d<typename I::value_type>&>(payload_of<I>(input, key())));
    }
};

}  // namespace ipc

#pragma once
#include "model/type_identity.h"
#include "util/counted_ptr.h"
#include "util/exception.h"
#include "util/factory.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace frame {

struct FrameFamily;

// Identity of a frame class (or of FrameTemplate<T>'s payload class T).
template <class T>
int identity() {
    return model::identity_of<FrameFamily, T>();
}

// What flows through the pipeline.
class Frame {
public:
    explicit Frame(double time) : time(time) {}
    // Reads the child "time".
    explicit Frame(const xml::Querier& querier);
    virtual ~Frame() = default;

    virtual int type_id() const = 0;
    virtual void write(xml::OutStream& out) const = 0;

    // This frame as kind T; a frame of another kind fails with
    // "Frame::cast(): expected T, found this kind" (the const form with
    // "Frame::cast() const") and who asked.
    template <class T>
    T& cast() {
        if (type_id() != T::static_type_id()) throw_cast_failure("Frame::cast()", T::static_type_id(), type_id());
        return static_cast<T&>(*this);
    }
    template <class T>
    const T& cast() const {
        if (type_id() != T::static_type_id())
            throw_cast_failure("Frame::cast() const", T::static_type_id(), type_id());
        return static_cast<const T&>(*this);
    }

    // The name of a frame kind by its identity.
    static std::string kind_name(int identity);
    // Throws the cast failure; found = 0 means no frame at all.
    [[noreturn]] static void throw_cast_failure(const char* what, int expected, int found);
    template <class T>
    bool is() const {
        return type_id() == T::static_type_id();
    }

    double time;
};

// Shared-pointer form of Frame::cast.
template <class T>
util::CountedPtr<T> cast(const util::CountedPtr<Frame>& frame) {
    if (!frame || frame->type_id() != T::static_type_id())
        Frame::throw_cast_failure("Frame::cast()", T::static_type_id(), frame ? frame->type_id() : 0);
    return std::static_pointer_cast<T>(frame);
}

// A frame carrying one payload object (an image, a segment image, ...).
template <class T>
class FrameTemplate : public Frame {
public:
    FrameTemplate(double time, util::CountedPtr<T> payload) : Frame(time), payload(std::move(payload)) {}

    static int static_type_id() { return identity<FrameTemplate<T>>(); }
    int type_id() const override { return static_type_id(); }
    void write(xml::OutStream&) const override {
        throw util::Exception("unspecialized member function FrameTemplate::write called");
    }

    util::CountedPtr<T> payload;
};

using FrameFactory = util::QuerierFactory<util::CountedPtr<Frame>>;
// The frame factory: "composite_state_frame", "track_report_frame", ...
FrameFactory& factory();

}  // namespace frame

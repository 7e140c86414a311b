#pragma once
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace xml {

// Writes well-nested XML with a fixed indentation style. The ">" closing a
// start tag is written lazily, once it is known whether text or a child
// follows, so that elements without content come out as empty-element tags.
class OutStream {
public:
    OutStream() = default;
    // Attached to a caller's stream: owns nothing, writes no declaration.
    OutStream(std::ostream& stream, std::string indent);
    OutStream(const OutStream&) = delete;
    OutStream& operator=(const OutStream&) = delete;
    // Never throws; an explicit close() reports unclosed tags.
    ~OutStream();

    // Opens (truncating) a file and writes the XML declaration line. The
    // caller checks good() to see whether the file could be opened.
    OutStream& open(const std::string& path, std::string indent);
    bool good() const { return stream_ != nullptr && stream_->good(); }
    std::ostream& stream() { return *stream_; }
    void set_precision(int digits) { stream_->precision(digits); }

    OutStream& tag(const std::string& name);
    OutStream& att(const std::string& key, const std::string& value);
    OutStream& end_tag();
    OutStream& close();

    // Character data: strings unchanged, booleans as 1 or 0, numbers and
    // other streamable values through the stream's own formatting.
    OutStream& text(const std::string& value);
    OutStream& text(const char* value) { return text(std::string(value)); }
    OutStream& text(bool value) { return text(std::string(value ? "1" : "0")); }
    template <class T>
    OutStream& text(const T& value) {
        begin_text();
        *stream_ << value;
        return *this;
    }

    // Convenience: an element holding one text value.
    template <class T>
    OutStream& element(const std::string& name, const T& value) {
        tag(name);
        text(value);
        return end_tag();
    }

    std::size_t depth() const { return open_.size(); }

private:
    struct OpenTag {
        std::string name;
        bool text_added = false;
        bool children_added = false;
    };

    void begin_text();
    void write_indent(std::size_t levels);

    std::string indent_;
    std::vector<OpenTag> open_;
    std::ostream* stream_ = nullptr;
    std::unique_ptr<std::ofstream> owned_;
};

}  // namespace xml

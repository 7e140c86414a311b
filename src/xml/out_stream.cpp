#include "xml/out_stream.h"

#include "util/exception.h"

namespace xml {

OutStream::OutStream(std::ostream& stream, std::string indent)
    : indent_(std::move(indent)), stream_(&stream) {}

OutStream::~OutStream() {
    // Closing here must not throw: unclosed tags are only reported by an
    // explicit close().
    open_.clear();
    stream_ = nullptr;
    owned_.reset();
}

OutStream& OutStream::open(const std::string& path, std::string indent) {
    if (owned_) throw util::Exception("illegal open in xml::OutStream");
    owned_ = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::trunc);
    stream_ = owned_.get();
    indent_ = std::move(indent);
    open_.clear();
    *stream_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    return *this;
}

void OutStream::write_indent(std::size_t levels) {
    for (std::size_t i = 0; i < levels; ++i) *stream_ << indent_;
}

OutStream& OutStream::tag(const std::string& name) {
    if (open_.empty()) {
        *stream_ << "<" << name;
    } else {
        OpenTag& parent = open_.back();
        if (parent.children_added) {
            *stream_ << ">\n";
        } else {
            *stream_ << (parent.text_added ? "\n" : ">\n");
            parent.children_added = true;
        }
        write_indent(open_.size());
        *stream_ << "<" << name;
    }
    open_.push_back(OpenTag{name});
    return *this;
}

OutStream& OutStream::att(const std::string& key, const std::string& value) {
    if (open_.empty()) throw util::Exception("xml::OutStream::att failed, tag does not exist");
    if (open_.back().text_added) throw util::Exception("xml::OutStream::att failed, text already added");
    if (open_.back().children_added)
        throw util::Exception("xml::OutStream::att failed, tags already added");
    *stream_ << " " << key << "=\"" << value << "\"";
    return *this;
}

void OutStream::begin_text() {
    if (open_.empty()) throw util::Exception("xml::OutStream::text failed, tag does not exist");
    OpenTag& current = open_.back();
    if (current.children_added) throw util::Exception("xml::OutStream::text failed, tags already added");
    if (!current.text_added) {
        *stream_ << ">";
        current.text_added = true;
    }
}

OutStream& OutStream::text(const std::string& value) {
    begin_text();
    *stream_ << value;
    return *this;
}

OutStream& OutStream::end_tag() {
    if (open_.empty()) throw util::Exception("xml::OutStream::end_tag failed, tags is empty");
    OpenTag record = open_.back();
    open_.pop_back();
    if (record.children_added) {
        *stream_ << ">\n";
        write_indent(open_.size());
        *stream_ << "</" << record.name;
    } else if (record.text_added) {
        *stream_ << "</" << record.name;
    } else {
        *stream_ << "/";
    }
    if (open_.empty()) *stream_ << ">\n";
    return *this;
}

OutStream& OutStream::close() {
    if (!open_.empty()) throw util::Exception("xml::OutStream::close failed, there are opened tags");
    if (owned_) {
        owned_->close();
        owned_.reset();
    }
    stream_ = nullptr;
    return *this;
}

}  // namespace xml

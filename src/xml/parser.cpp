#include "xml/parser.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "util/exception.h"
#include "xml/strictness.h"

namespace xml {

namespace {

constexpr int kMaxAttributes = 9;

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

class Parser {
public:
    Parser(const std::string& text, const std::string& source)
        : text_(text), source_(source), shared_source_(std::make_shared<const std::string>(source)) {}

    util::CountedPtr<Tag> document(bool skip_declaration) {
        if (skip_declaration) {
            std::size_t newline = text_.find('\n');
            pos_ = newline == std::string::npos ? text_.size() : newline + 1;
        }
        // Skip to the root's "<", passing over comments and the document type.
        while (true) {
            if (!skip_past('<')) throw util::Exception("no root element in " + source_);
            if (peek() != '!') break;
            skip_markup_declaration();
        }
        return read_tag(nullptr, 1);
    }

private:
    // 1-based line of the character at pos; positions are asked for in
    // increasing order, so newlines are counted once.
    int line_at(std::size_t pos) {
        pos = std::min(pos, text_.size());
        if (pos < counted_to_) {
            counted_to_ = 0;
            line_ = 1;
        }
        line_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(counted_to_),
                                             text_.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
        counted_to_ = pos;
        return line_;
    }

    std::string at_line(std::size_t pos) {
        return "in " + source_ + " at line " + std::to_string(line_at(pos));
    }

    int peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1; }

    // Advances past the next occurrence of c; false at end of input.
    bool skip_past(char c) {
        std::size_t found = text_.find(c, pos_);
        if (found == std::string::npos) {
            pos_ = text_.size();
            return false;
        }
        pos_ = found + 1;
        return true;
    }

    // The stream stands on "!" after "<": skips a comment or a declaration.
    void skip_markup_declaration() {
        if (text_.compare(pos_, 3, "!--") == 0) {
            std::size_t end = text_.find("-->", pos_ + 3);
            if (end == std::string::npos)
                throw util::Exception("unterminated comment in " + source_);
            pos_ = end + 3;
        } else if (!skip_past('>')) {
            throw util::Exception("unterminated declaration in " + source_);
        }
    }

    [[noreturn]] void unclosed(const std::string& name) const {
        throw util::Exception("unexpected end of input in " + source_ + ": element " + name +
                              " is not closed");
    }

    // Reads text up to the next "<" (consumed); false at end of input.
    bool read_text_until_open(std::string& out) {
        std::size_t found = text_.find('<', pos_);
        if (found == std::string::npos) {
            pos_ = text_.size();
            return false;
        }
        out.append(text_, pos_, found - pos_);
        pos_ = found + 1;
        return true;
    }

    void parse_header(const std::string& header, Tag& tag) {
        std::size_t i = 0;
        while (i < header.size() && is_space(header[i])) ++i;
        std::size_t name_start = i;
        while (i < header.size() && !is_space(header[i])) ++i;
        tag.name = header.substr(name_start, i - name_start);
        while (i < header.size() && is_space(header[i])) ++i;
        int count = 0;
        while (i < header.size()) {
            if (++count > kMaxAttributes) throw util::Exception("too many attributes in tag " + tag.name);
            std::size_t eq = header.find('=', i);
            std::string key = header.substr(i, eq == std::string::npos ? std::string::npos : eq - i);
            i = eq == std::string::npos ? header.size() : eq + 1;
            while (i < header.size() && is_space(header[i])) ++i;
            if (i < header.size()) ++i;  // the opening quote, whatever it is
            std::size_t close = header.find('"', i);
            std::string value = header.substr(i, close == std::string::npos ? std::string::npos : close - i);
            i = close == std::string::npos ? header.size() : close + 1;
            while (!key.empty() && is_space(key.back())) key.pop_back();
            tag.attributes.emplace_back(std::move(key), std::move(value));
            while (i < header.size() && is_space(header[i])) ++i;
        }
    }

    // The stream stands on the "/" of an end tag: reports an end tag that
    // names another element (older files may hold such slips, so by default
    // they are only warned about).
    void check_end_tag(const Tag& tag) {
        std::size_t start = pos_ + 1;
        std::size_t end = start;
        while (end < text_.size() && text_[end] != '>' && !is_space(text_[end])) ++end;
        std::string end_name = text_.substr(start, end - start);
        if (end_name != tag.name)
            warn_or_throw("end tag </" + end_name + "> does not match start tag <" + tag.name + "> " +
                          at_line(pos_));
    }

    // The stream stands just after the tag's "<"; depth is the tag's level
    // (the root is 1).
    util::CountedPtr<Tag> read_tag(Tag* parent, int depth) {
        if (depth > kMaxElementDepth)
            throw util::Exception("elements nested deeper than " + std::to_string(kMaxElementDepth) +
                                  " levels " + at_line(pos_));
        auto tag = std::make_shared<Tag>();
        tag->parent = parent;
        tag->source = shared_source_;
        tag->line = line_at(pos_);
        std::size_t close = text_.find('>', pos_);
        if (close == std::string::npos) unclosed(text_.substr(pos_, 40));
        std::string header = text_.substr(pos_, close - pos_);
        pos_ = close + 1;

        if (!header.empty() && header.back() == '/') {
            header.back() = ' ';
            parse_header(header, *tag);
        } else {
            parse_header(header, *tag);
            while (pos_ < text_.size() && is_space(text_[pos_])) ++pos_;
            if (!read_text_until_open(tag->text)) unclosed(tag->name);
            while (true) {
                int next = peek();
                if (next == -1) unclosed(tag->name);
                if (next == '/') break;
                if (next == '!') {
                    // A comment: skip it; text that follows it before the first
                    // child still belongs to the element's text.
                    skip_markup_declaration();
                    std::string more;
                    if (!read_text_until_open(more)) unclosed(tag->name);
                    if (tag->children->empty()) {
                        if (tag->text.empty()) {
                            std::size_t first = more.find_first_not_of(" \t\r\n\f\v");
                            more = first == std::string::npos ? std::string() : more.substr(first);
                        }
                        tag->text += more;
                    }
                    continue;
                }
                tag->children->push_back(read_tag(tag.get(), depth + 1));
            }
            check_end_tag(*tag);
        }
        // Consume the end tag and whatever follows it up to the next "<".
        skip_past('<');
        return tag;
    }

    const std::string& text_;
    const std::string& source_;
    std::shared_ptr<const std::string> shared_source_;
    std::size_t pos_ = 0;
    std::size_t counted_to_ = 0;
    int line_ = 1;
};

}  // namespace

util::CountedPtr<Tag> parse_document(const std::string& contents, const std::string& source_name,
                                     bool skip_declaration) {
    Parser parser(contents, source_name);
    return parser.document(skip_declaration);
}

}  // namespace xml

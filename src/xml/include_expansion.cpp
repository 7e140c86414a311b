#include <filesystem>
#include <sstream>

#include "xml/out_stream.h"
#include "xml/parser.h"
#include "xml/querier.h"

namespace xml {

namespace {

// Included files may include further files; a cycle would never end, so the
// nesting is bounded.
constexpr int kMaxIncludeDepth = 64;

bool file_exists(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(name, error);
}

void write_content(const Tag& source, OutStream& out, int depth);

// Writes tag under element name `name`, replacing an include candidate by
// the root of the file it names.
void write_expanded(const Tag& tag, const std::string& name, OutStream& out, int depth) {
    bool candidate = tag.text.empty() && tag.children->empty();
    if (candidate) {
        std::string file;
        bool from_attribute = !tag.attributes.empty();
        bool named = from_attribute ? tag.find_att("file", file) : (file = tag.name + ".xml", true);
        if (named && file_exists(file)) {
            if (depth >= kMaxIncludeDepth)
                throw util::Exception("include nesting deeper than " + std::to_string(kMaxIncludeDepth) +
                                      " levels at file " + file + " (does it include itself?)");
            Querier included = Querier::open(file);
            const Tag& root = included.current();
            if (from_attribute) {
                // The element keeps its name and takes the included content.
                out.tag(name);
                write_content(root, out, depth + 1);
            } else {
                write_expanded(root, root.name, out, depth + 1);
            }
            return;
        }
    }
    out.tag(name);
    write_content(tag, out, depth);
}

// Attributes, text and children of source, then the end tag.
void write_content(const Tag& source, OutStream& out, int depth) {
    for (const auto& attribute : source.attributes) out.att(attribute.first, attribute.second);
    if (!source.text.empty()) out.text(source.text);
    for (const auto& child : *source.children) write_expanded(*child, child->name, out, depth);
    out.end_tag();
}

}  // namespace

void expand_includes(Querier& querier) {
    std::ostringstream text;
    {
        OutStream out(text, "  ");
        const Tag& root = *querier.root();
        write_expanded(root, root.name, out, 0);
        out.close();
    }
    querier = Querier(parse_document(text.str(), "expanded configuration", false));
}

}  // namespace xml

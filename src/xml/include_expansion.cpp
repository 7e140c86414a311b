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

// Writes the expanded tree and remembers, for every element in the order it
// is written (document order of the re-parsed tree), the tag whose place in
// its own file the element came from. Each included file may nest up to the
// reader's limit, so the combined depth is checked here, before the
// recursion can grow with the number of includes.
class Expander {
public:
    explicit Expander(OutStream& out) : out_(out) {}

    // Writes tag under element name `name`, replacing an include candidate
    // by the root of the file it names.
    void write_expanded(const Tag& tag, const std::string& name, int include_depth, int element_depth) {
        bool candidate = tag.text.empty() && tag.children->empty();
        if (candidate) {
            std::string file;
            bool from_attribute = !tag.attributes.empty();
            bool named = from_attribute ? tag.find_att("file", file) : (file = tag.name + ".xml", true);
            if (named && file_exists(file)) {
                if (include_depth >= kMaxIncludeDepth)
                    throw util::Exception("include nesting deeper than " + std::to_string(kMaxIncludeDepth) +
                                          " levels at file " + file + " (does it include itself?)");
                included_.push_back(Querier::open(file));
                const Tag& root = included_.back().current();
                if (from_attribute) {
                    // The element keeps its name and takes the included content.
                    begin(name, root, element_depth);
                    write_content(root, include_depth + 1, element_depth);
                } else {
                    write_expanded(root, root.name, include_depth + 1, element_depth);
                }
                return;
            }
        }
        begin(name, tag, element_depth);
        write_content(tag, include_depth, element_depth);
    }

    const std::vector<const Tag*>& origins() const { return origins_; }

private:
    void begin(const std::string& name, const Tag& origin, int element_depth) {
        if (element_depth > kMaxElementDepth)
            throw util::Exception("elements nested deeper than " + std::to_string(kMaxElementDepth) +
                                  " levels after including files " + origin.location());
        out_.tag(name);
        origins_.push_back(&origin);
    }

    // Attributes, text and children of source, then the end tag.
    void write_content(const Tag& source, int include_depth, int element_depth) {
        for (const auto& attribute : source.attributes) out_.att(attribute.first, attribute.second);
        if (!source.text.empty()) out_.text(source.text);
        for (const auto& child : *source.children)
            write_expanded(*child, child->name, include_depth, element_depth + 1);
        out_.end_tag();
    }

    OutStream& out_;
    std::vector<const Tag*> origins_;
    // Included trees stay alive until the places are copied.
    std::vector<Querier> included_;
};

// Gives every tag of the re-parsed tree the file and line of the tag it was
// written from, so that later messages point into the user's files rather
// than into the expanded text.
void copy_places(Tag& tag, const std::vector<const Tag*>& origins, std::size_t& next) {
    if (next >= origins.size()) return;
    const Tag* origin = origins[next++];
    tag.source = origin->source;
    tag.line = origin->line;
    for (const auto& child : *tag.children) copy_places(*child, origins, next);
}

std::size_t count_tags(const Tag& tag) {
    std::size_t count = 1;
    for (const auto& child : *tag.children) count += count_tags(*child);
    return count;
}

}  // namespace

void expand_includes(Querier& querier) {
    std::ostringstream text;
    util::CountedPtr<Tag> expanded;
    {
        OutStream out(text, "  ");
        Expander expander(out);
        const Tag& root = *querier.root();
        expander.write_expanded(root, root.name, 0, 1);
        out.close();
        expanded = parse_document(text.str(), "expanded configuration", false);
        // The written and the re-parsed tree correspond element for element;
        // should they ever not, the places of the expanded text are kept.
        if (count_tags(*expanded) == expander.origins().size()) {
            std::size_t next = 0;
            copy_places(*expanded, expander.origins(), next);
        }
    }
    querier = Querier(expanded);
}

}  // namespace xml

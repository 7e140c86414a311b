#include "model/states/label_xml.h"

namespace state {

Label read_label(const xml::Querier& querier) {
    xml::Querier label_tag = querier.tag("label");
    Label label;
    label.src = label_tag.read<std::int32_t>("src");
    label.id = label_tag.read<std::int32_t>("id");
    return label;
}

void write_label(xml::OutStream& out, const Label& label) {
    out.tag("label").element("src", label.src).element("id", label.id).end_tag();
}

}  // namespace state

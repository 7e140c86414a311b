#pragma once
#include "model/label.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace state {

// The "label" child shared by the label kinds: "src" then "id".
Label read_label(const xml::Querier& querier);
void write_label(xml::OutStream& out, const Label& label);

}  // namespace state

#include "imaging/operators/mask_factory.h"

#include "config/declare.h"
#include "imaging/operators/circle_mask.h"
#include "imaging/operators/disk_mask.h"

namespace ipc {

MaskFactory::MaskFactory() {
    config::register_key<Mask, CircleMask>(*this, CircleMask::key());
    config::register_key<Mask, DiskMask>(*this, DiskMask::key());
}

MaskFactory& mask_factory() {
    static MaskFactory factory;
    return factory;
}

util::CountedPtr<Mask> mask_from_only_child(const xml::Querier& element) {
    const std::vector<xml::Querier> children = element.tags();
    if (children.size() != 1)
        throw util::Exception("expected one mask element in " + element.name() + ", found " +
                              std::to_string(children.size()));
    return mask_factory().create(children.front());
}

}  // namespace ipc

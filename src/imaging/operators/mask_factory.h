#pragma once
#include "imaging/operators/mask.h"
#include "util/counted_ptr.h"
#include "util/factory.h"

namespace ipc {

// The factory of convolver neighbourhoods. Unlike the start-up families it
// fills itself: "circle_mask" and "disk_mask" are registered when the
// factory is first used.
class MaskFactory : public util::QuerierFactory<util::CountedPtr<Mask>> {
public:
    MaskFactory();
};

// The single mask factory, created on first call.
MaskFactory& mask_factory();

// Builds the mask described by the only child of a convolver's element;
// fails naming the element when it has no child or more than one.
util::CountedPtr<Mask> mask_from_only_child(const xml::Querier& element);

}  // namespace ipc

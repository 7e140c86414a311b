#pragma once
#include "pipeline/component.h"

namespace ipc {

// The image operators' component keys, in their fixed order. The image
// component registration places them in two groups: the intensity
// transformers after the segmentation algorithms, and the colour-map
// converters and convolvers after the spatial segmentors.
void register_intensity_transformers(cmpnt::ComponentFactory& factory);
void register_converters_and_convolvers(cmpnt::ComponentFactory& factory);

// Both groups, transformers first.
void register_image_operators(cmpnt::ComponentFactory& factory);

}  // namespace ipc

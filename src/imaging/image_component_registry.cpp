#include "imaging/image_component_registry.h"

#include "config/declare.h"
#include "imaging/algorithm_component.h"
#include "imaging/contact_frame_converters.h"
#include "imaging/greyscale_segmentors.h"
#include "imaging/label_segmentor.h"
#include "imaging/object_segmentors.h"
#include "imaging/operators/background_subtractor.h"
#include "imaging/operators/gaussian_smoother.h"
#include "imaging/operators/mask_factory.h"
#include "imaging/segment_features_state.h"
#include "imaging/operators/operator_registry.h"
#include "imaging/segment_states.h"
#include "imaging/segment_value_converters.h"
#include "imaging/segmented_image_adapters.h"
#include "imaging/spatial_segmentors.h"
#include "imaging/tiff_readers.h"
#include "imaging/threshold_segmentors.h"
#include "imaging/tiff_writers.h"
#include "model/states/segment_size_state.h"

namespace ipc {

namespace {

template <class C>
void register_component(cmpnt::ComponentFactory& factory) {
    config::register_key<cmpnt::Component, C>(factory, C::key());
}

}  // namespace

void register_image_components(cmpnt::ComponentFactory& factory) {
    using ShortImage = Image<unsigned short>;
    using ShortImage3d = Image3d<unsigned short>;

    // Sources.
    register_component<ShortImageTiffReader>(factory);
    register_component<ShortImage3dTiffReader>(factory);

    // Writers.
    register_component<GreyscaleTiffWriter<Image<unsigned char>>>(factory);
    register_component<GreyscaleTiffWriter<ShortImage>>(factory);
    register_component<GreyscaleTiffWriter<Image<int>>>(factory);
    register_component<GreyscaleTiffWriter<SegmentImage>>(factory);
    register_component<Image3dTiffWriter<ShortImage3d>>(factory);
    register_component<Image3dTiffWriter<SegmentImage3d>>(factory);

    // Segmentation.
    register_algorithm_component<SegmentedImageInitializer<ShortImage>>(factory);
    register_algorithm_component<SegmentedImageInitializer<SegmentImage>>(factory);
    register_algorithm_component<SegmentedImage3dInitializer<ShortImage3d>>(factory);
    register_algorithm_component<SegmentedImage3dInitializer<SegmentImage3d>>(factory);
    register_algorithm_component<SegmentedImageGreyscaleSegmentor<ShortImage>>(factory);
    register_algorithm_component<SegmentedImage3dGreyscaleSegmentor3d<ShortImage3d>>(factory);
    register_algorithm_component<SegmentedImageToSegmentImageConverter<ShortImage>>(factory);
    register_algorithm_component<SegmentedImage3dToSegmentImage3dConverter<ShortImage3d>>(factory);

    // Intensity transformers (image operators).
    register_intensity_transformers(factory);

    register_algorithm_component<SegmentedImageSpatialSegmentor<ShortImage>>(factory);
    register_algorithm_component<SegmentedImageSpatialSegmentor<SegmentImage>>(factory);
    register_algorithm_component<SpatialSegmentor<ShortImage, Equal<unsigned short>>>(factory);
    register_algorithm_component<SpatialSegmentor<Image<bool>, Equal<bool>>>(factory);
    register_algorithm_component<SpatialSegmentor3d<SegmentImage3d, Equal<int>>>(factory);
    register_algorithm_component<SegmentedImage3dSpatialSegmentor3d<SegmentImage3d>>(factory);
    register_algorithm_component<SegmentedToProjectedConverter<ShortImage>>(factory);
    register_algorithm_component<SegmentedToOrderedConverter<ShortImage>>(factory);

    // Colour-map converters and convolvers (image operators); the mask
    // factory declares the convolvers' masks when first used.
    register_converters_and_convolvers(factory);
    mask_factory();

    // Contact extraction.
    register_component<SegmentedImageToContactFrameConverter<SegmentImage>>(factory);
    register_component<SegmentedImage3dToContactFrameConverter<SegmentImage3d>>(factory);

    // Label masks made by another segmenter, added after the keys above.
    register_algorithm_component<SegmentedImageLabelSegmentor<ShortImage>>(factory);

    // Nucleus segmentation: smoothing and background correction, a
    // histogram threshold, objects with holes filled and touching nuclei
    // split, and contacts that carry the image's intensities.
    register_algorithm_component<GaussianSmoother<ShortImage>>(factory);
    register_algorithm_component<GaussianSmoother<ShortImage3d>>(factory);
    register_algorithm_component<BackgroundSubtractor<ShortImage>>(factory);
    register_algorithm_component<BackgroundSubtractor<ShortImage3d>>(factory);
    register_algorithm_component<SegmentedImageThresholdSegmentor<ShortImage>>(factory);
    register_algorithm_component<SegmentedImage3dThresholdSegmentor3d<ShortImage3d>>(factory);
    register_algorithm_component<SegmentedImageObjectSegmentor<ShortImage>>(factory);
    register_algorithm_component<SegmentedImage3dObjectSegmentor3d<ShortImage3d>>(factory);
    register_component<SegmentedImageToContactFrameConverter<ShortImage>>(factory);
    register_component<SegmentedImage3dToContactFrameConverter<ShortImage3d>>(factory);
}

void register_image_states(state::StateFactory& factory) {
    config::register_key<state::State, SegmentImageState>(factory, SegmentImageState::key());
    config::register_key<state::State, SegmentImage3dState>(factory, SegmentImage3dState::key());
    config::register_key<state::State, SegmentIdState>(factory, SegmentIdState::key());
    config::register_key<state::State, SegmentFeaturesState>(factory, SegmentFeaturesState::key());
    // The contact converters put a segment size on every contact.
    config::register_key<state::State, ostrel::SegmentSizeState>(factory, ostrel::SegmentSizeState::key());
}

}  // namespace ipc

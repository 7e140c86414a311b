#include "imaging/operators/operator_registry.h"

#include "config/declare.h"
#include "imaging/algorithm_component.h"
#include "imaging/operators/affine_transformer.h"
#include "imaging/operators/color_maps.h"
#include "imaging/operators/convolver.h"
#include "imaging/operators/convolver_parameters.h"
#include "imaging/operators/full_intensity_affine_transformer.h"
#include "imaging/operators/image_converter.h"
#include "imaging/operators/max_convolver.h"
#include "imaging/operators/mean_convolver.h"
#include "imaging/operators/mean_convolver_3d.h"

namespace ipc {

namespace {

using CharImage = Image<unsigned char>;
using ShortImage = Image<unsigned short>;
using FloatImage = Image<float>;
using ShortImage3d = Image3d<unsigned short>;

template <class In, class Out, class Map>
void register_converter(cmpnt::ComponentFactory& factory) {
    using Converter = ImageConverter<In, Out, Map>;
    config::register_key<cmpnt::Component, Converter>(factory, Converter::key());
}


}  // namespace

void register_intensity_transformers(cmpnt::ComponentFactory& factory) {
    register_algorithm_component<FullIntensityAffineTransformer<ShortImage, CharImage>>(factory);
    register_algorithm_component<FullIntensityAffineTransformer<FloatImage, CharImage>>(factory);
    register_algorithm_component<FullIntensityAffineTransformer<FloatImage, ShortImage>>(factory);
    register_algorithm_component<FullIntensityAffineTransformer<ShortImage, ShortImage>>(factory);
    register_algorithm_component<FullIntensityAffineTransformer<Image<int>, CharImage>>(factory);
    register_algorithm_component<AffineTransformer<ShortImage, CharImage>>(factory);
}

void register_converters_and_convolvers(cmpnt::ComponentFactory& factory) {
    register_converter<SegmentImage3d, ShortImage3d, IdentityColorMap<int, unsigned short>>(factory);
    register_converter<ShortImage, CharImage, IdentityColorMap<unsigned short, unsigned char>>(factory);
    register_converter<ShortImage, FloatImage, IdentityColorMap<unsigned short, float>>(factory);
    register_converter<FloatImage, ShortImage, IdentityColorMap<float, unsigned short>>(factory);
    register_converter<ShortImage, CharImage, UnsignedShortToUnsignedCharColorMap>(factory);
    register_converter<ShortImage, Image<bool>, TypeToBoolColorMap<unsigned short>>(factory);
    register_converter<ShortImage, ShortImage, LeftShiftColorMap>(factory);
    register_converter<ShortImage, ShortImage, RightShiftColorMap>(factory);
    register_converter<Image<bool>, CharImage, BoolToTypeColorMap<unsigned char>>(factory);

    register_algorithm_component<Convolver<FloatImage, FloatImage>>(factory);
    register_algorithm_component<MeanConvolver<ShortImage, ShortImage>>(factory);
    register_algorithm_component<MeanConvolver3d<ShortImage3d, ShortImage3d>>(factory);
    register_algorithm_component<MaxConvolver<ShortImage>>(factory);
    register_algorithm_component<MaxConvolver<CharImage>>(factory);
}

void register_image_operators(cmpnt::ComponentFactory& factory) {
    register_intensity_transformers(factory);
    register_converters_and_convolvers(factory);
}

}  // namespace ipc

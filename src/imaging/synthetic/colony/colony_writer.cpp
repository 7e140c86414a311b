#include "imaging/synthetic/colony/colony_writer.h"

#include <fstream>

#include "imaging/synthetic/colony/rod_renderer.h"
#include "imaging/synthetic/compressed_tiff.h"
#include "imaging/synthetic/ground_truth_writer.h"
#include "imaging/synthetic/sequence_writer.h"
#include "util/exception.h"

namespace synth::colony {

namespace {

// Offsets the seed of the noise stream from that of the growth (the 64-bit
// golden ratio, so nearby seeds give unrelated streams).
constexpr std::uint64_t noise_stream = 0x9E3779B97F4A7C15ULL;

}  // namespace

ColonySequence write_colony(const ColonyParameters& parameters, const std::string& out, bool force) {
    ColonySequence sequence = simulate_colony(parameters);
    const SequenceFolders folders = sequence_folders(out);
    prepare_sequence_folders(folders, force);

    FluorescenceStyle style;
    style.background = parameters.background;
    style.noise = parameters.noise;
    SeededRandom noise(parameters.seed + noise_stream);
    for (std::size_t frame = 0; frame < sequence.frames.size(); ++frame) {
        const auto& rods = sequence.frames[frame];
        const int number = static_cast<int>(frame);
        write_compressed_tiff(frame_file_name(folders.images + "/t", number),
                              render_rod_fluorescence(rods, sequence.width, sequence.height, style, noise,
                                                      parameters.profile, parameters.psf_sigma));
        write_compressed_tiff(frame_file_name(folders.truth + "/man_track", number),
                              render_rod_mask(rods, sequence.width, sequence.height));
    }
    const std::string table_name = folders.truth + "/man_track.txt";
    std::ofstream table(table_name, std::ios::binary | std::ios::trunc);
    table << track_table(sequence.tracks);
    table.close();
    if (!table) throw util::Exception("unable to write file: " + table_name);
    return sequence;
}

}  // namespace synth::colony

#include "imaging/synthetic/sequence_writer.h"

#include <filesystem>
#include <regex>
#include <system_error>

#include "imaging/synthetic/compressed_tiff.h"
#include "imaging/synthetic/ground_truth_writer.h"
#include "imaging/synthetic/nucleus_renderer.h"
#include "imaging/synthetic/seeded_random.h"
#include "util/exception.h"

namespace synth {

namespace fs = std::filesystem;

namespace {

// Offsets the seed of the noise stream from that of the motion (the 64-bit
// golden ratio, so nearby seeds give unrelated streams).
constexpr std::uint64_t noise_stream = 0x9E3779B97F4A7C15ULL;

bool written_by_generator(const fs::path& file) {
    static const std::regex pattern(R"((t|man_track)[0-9]{3,}\.tif|man_track\.txt)");
    return std::regex_match(file.filename().string(), pattern);
}

void prepare_folder(const std::string& folder, bool force) {
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error))
        throw util::Exception("output path is not a folder: " + folder);
    if (fs::is_directory(folder, error) && !fs::is_empty(folder, error)) {
        if (!force)
            throw util::Exception("output folder is not empty: " + folder +
                                  " (use --force to overwrite)");
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file() && written_by_generator(entry.path()))
                fs::remove(entry.path());
    }
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder))
        throw util::Exception("unable to create folder: " + folder +
                              (error ? " (" + error.message() + ")" : std::string()));
}

}  // namespace

SequenceFolders sequence_folders(const std::string& out) {
    return SequenceFolders{(fs::path(out) / "images").string(), (fs::path(out) / "truth").string()};
}

void prepare_sequence_folders(const SequenceFolders& folders, bool force) {
    // Both are checked before either is touched, so a refusal changes nothing.
    if (!force)
        for (const std::string& folder : {folders.images, folders.truth}) {
            std::error_code error;
            if (fs::is_directory(folder, error) && !fs::is_empty(folder, error))
                throw util::Exception("output folder is not empty: " + folder +
                                      " (use --force to overwrite)");
        }
    prepare_folder(folders.images, force);
    prepare_folder(folders.truth, force);
}

CellSequence write_sequence(const SequenceParameters& parameters, const std::string& out, bool force) {
    CellSequence sequence = simulate_cells(parameters);
    const SequenceFolders folders = sequence_folders(out);
    prepare_sequence_folders(folders, force);

    FluorescenceStyle style;
    style.background = parameters.background;
    style.uneven = parameters.uneven;
    style.noise = parameters.noise;
    style.edge_width = parameters.blur;
    SeededRandom noise(parameters.seed + noise_stream);
    for (std::size_t frame = 0; frame < sequence.frames.size(); ++frame)
        write_compressed_tiff(frame_file_name(folders.images + "/t", static_cast<int>(frame)),
                              render_fluorescence(sequence.frames[frame], sequence.width,
                                                  sequence.height, style, noise));
    write_ground_truth(sequence, folders.truth);
    return sequence;
}

}  // namespace synth

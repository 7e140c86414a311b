#include "imaging/synthetic/ground_truth_writer.h"

#include <fstream>
#include <iomanip>
#include <sstream>

#include "imaging/synthetic/compressed_tiff.h"
#include "imaging/synthetic/nucleus_renderer.h"
#include "util/exception.h"

namespace synth {

std::string frame_file_name(const std::string& prefix, int frame) {
    std::ostringstream name;
    name << prefix << std::setw(3) << std::setfill('0') << frame << ".tif";
    return name.str();
}

std::string track_table(const std::vector<TrackRecord>& tracks) {
    std::ostringstream text;
    for (const TrackRecord& t : tracks)
        text << t.label << ' ' << t.begin << ' ' << t.end << ' ' << t.parent << '\n';
    return text.str();
}

void write_ground_truth(const CellSequence& sequence, const std::string& folder) {
    const std::string table_name = folder + "/man_track.txt";
    std::ofstream table(table_name, std::ios::binary | std::ios::trunc);
    table << track_table(sequence.tracks);
    table.close();
    if (!table) throw util::Exception("unable to write file: " + table_name);

    for (std::size_t frame = 0; frame < sequence.frames.size(); ++frame)
        write_compressed_tiff(
            frame_file_name(folder + "/man_track", static_cast<int>(frame)),
            render_label_mask(sequence.frames[frame], sequence.width, sequence.height));
}

}  // namespace synth

#include "evaluation/track_table.h"

#include <fstream>
#include <sstream>

#include "util/exception.h"

namespace ctc {

namespace {

// Reads one non-negative integer that fits a signed 32-bit value.
bool read_field(std::istringstream& line, long long& value) {
    return static_cast<bool>(line >> value) && value >= 0 && value <= 0x7fffffffLL;
}

}  // namespace

TrackTable read_track_table(const std::string& path, const std::string& shown_name) {
    std::ifstream in(path);
    if (!in) throw util::Exception("cannot open " + shown_name);
    TrackTable tracks;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
        const std::string where = shown_name + " line " + std::to_string(number) + ": ";
        std::istringstream line(text);
        long long fields[4] = {};
        for (long long& field : fields)
            if (!read_field(line, field))
                throw util::Exception(where + "expected four non-negative integers \"L B E P\", got \"" + text + "\"");
        std::string rest;
        if (line >> rest) throw util::Exception(where + "more than four numbers in \"" + text + "\"");
        TrackRecord track{static_cast<Label>(fields[0]), static_cast<int>(fields[1]), static_cast<int>(fields[2]),
                          static_cast<Label>(fields[3])};
        if (track.label == 0) throw util::Exception(where + "label 0 is the background");
        if (track.end < track.begin)
            throw util::Exception(where + "label " + std::to_string(track.label) + " ends in frame " +
                                  std::to_string(track.end) + " before it begins in frame " +
                                  std::to_string(track.begin));
        if (!tracks.emplace(track.label, track).second)
            throw util::Exception(where + "label " + std::to_string(track.label) + " is listed twice");
    }
    if (in.bad()) throw util::Exception("cannot read " + shown_name);
    return tracks;
}

}  // namespace ctc

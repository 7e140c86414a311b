#include "imaging/synthetic/synth_command_line.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "imaging/synthetic/sequence_writer.h"
#include "util/exception.h"

namespace synth {

namespace {

const char* const program = "ostrel-synth";

[[noreturn]] void bad_value(const std::string& option, const std::string& text, const std::string& expected) {
    throw util::Exception(option + ": '" + text + "' is not " + expected);
}

long long read_integer(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || std::isspace(static_cast<unsigned char>(text[0])))
        bad_value(option, text, "an integer");
    return value;
}

int read_int(const std::string& option, const std::string& text) {
    const long long value = read_integer(option, text);
    if (value < -1000000000LL || value > 1000000000LL) bad_value(option, text, "an integer of a sensible size");
    return static_cast<int>(value);
}

std::uint64_t read_seed(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] < '0' || text[0] > '9' || *end != '\0' || errno == ERANGE)
        bad_value(option, text, "an integer from 0 to 18446744073709551615");
    return value;
}

double read_real(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value) ||
        std::isspace(static_cast<unsigned char>(text[0])))
        bad_value(option, text, "a number");
    return value;
}

// "N" for a square image or "WxH".
void read_size(const std::string& option, const std::string& text, SequenceParameters& p) {
    const std::size_t cross = text.find('x');
    if (cross == std::string::npos) {
        p.width = p.height = read_int(option, text);
        return;
    }
    const std::string width = text.substr(0, cross);
    const std::string height = text.substr(cross + 1);
    if (width.empty() || height.empty()) bad_value(option, text, "a size N or WxH");
    p.width = read_int(option, width);
    p.height = read_int(option, height);
}

}  // namespace

std::string synth_usage() {
    return std::string("Usage: ") + program + " --out DIR [options]\n" +
           "Writes a synthetic 2-D fluorescence time-lapse of moving, entering, leaving and\n"
           "dividing nuclei with its ground truth:\n"
           "  DIR/images/t000.tif ...         16-bit greyscale frames\n"
           "  DIR/truth/man_track.txt         one line 'L B E P' per track (label, first\n"
           "                                  frame, last frame, mother label or 0)\n"
           "  DIR/truth/man_track000.tif ...  16-bit label masks (0 = background)\n"
           "Nuclei keep apart by 1.25 times the sum of their radii; divisions and entries\n"
           "pause while 3000 nuclei are alive. The same options (seed included) always\n"
           "give the same files.\n"
           "\n"
           "Options:\n"
           "  --out DIR              output folder (required)\n"
           "  --force                overwrite the files of an earlier run in DIR/images\n"
           "                         and DIR/truth (otherwise non-empty folders are refused)\n"
           "  --seed N               random seed (default 1)\n"
           "  --size N | WxH         image size in pixels, 16 to 4096 (default 256)\n"
           "  --cells N              nuclei in the first frame, 0 to 2000 (default 20)\n"
           "  --frames N             number of frames, 1 to 1000 (default 40)\n"
           "  --radius R             mean nucleus radius in pixels, 2 to 50 (default 5)\n"
           "  --speed S              r.m.s. velocity per axis, pixels/frame (default 1.5)\n"
           "  --division-rate P      chance of dividing per cell and frame (default 0.008)\n"
           "  --entry-rate R         mean number of nuclei entering per frame (default 0.1)\n"
           "  --background B         background grey level (default 1000)\n"
           "  --contrast C           mean nucleus brightness above background (default 2500)\n"
           "  --noise S              standard deviation of the pixel noise (default 50)\n"
           "  --help                 show this text\n";
}

SynthOptions parse_synth_options(const std::vector<std::string>& args) {
    SynthOptions options;
    SequenceParameters& p = options.parameters;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::string value;
        bool has_value = false;
        const std::size_t equals = option.find('=');
        if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option = option.substr(0, equals);
            has_value = true;
        }
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option == "--force") {
            if (has_value) throw util::Exception("--force takes no value, got '" + value + "'");
            options.force = true;
            continue;
        }
        static const char* const valued[] = {"--out",        "--seed",          "--size",
                                              "--cells",      "--frames",        "--radius",
                                              "--speed",      "--division-rate", "--entry-rate",
                                              "--background", "--contrast",      "--noise"};
        bool known = false;
        for (const char* name : valued) known = known || option == name;
        if (!known) throw util::Exception("unknown option: " + args[i]);
        if (!has_value) {
            if (i + 1 >= args.size()) throw util::Exception(option + " needs a value");
            value = args[++i];
        }

        if (option == "--out") {
            if (value.empty()) throw util::Exception("--out needs a folder name");
            options.out = value;
        } else if (option == "--seed") {
            p.seed = read_seed(option, value);
        } else if (option == "--size") {
            read_size(option, value, p);
        } else if (option == "--cells") {
            p.cells = read_int(option, value);
        } else if (option == "--frames") {
            p.frames = read_int(option, value);
        } else if (option == "--radius") {
            p.radius = read_real(option, value);
        } else if (option == "--speed") {
            p.speed = read_real(option, value);
        } else if (option == "--division-rate") {
            p.division_rate = read_real(option, value);
        } else if (option == "--entry-rate") {
            p.entry_rate = read_real(option, value);
        } else if (option == "--background") {
            p.background = read_real(option, value);
        } else if (option == "--contrast") {
            p.contrast = read_real(option, value);
        } else if (option == "--noise") {
            p.noise = read_real(option, value);
        }
    }
    if (options.help) return options;
    if (options.out.empty()) throw util::Exception("--out DIR is required");
    p.validate();
    return options;
}

int run_synth(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SynthOptions options;
    try {
        options = parse_synth_options(args);
    } catch (const std::exception& error) {
        err << program << ": " << error.what() << "\n"
            << "Try '" << program << " --help'.\n";
        return 2;
    }
    if (options.help) {
        out << synth_usage();
        return 0;
    }
    try {
        const CellSequence sequence = write_sequence(options.parameters, options.out, options.force);
        const SequenceEvents events = count_events(sequence);
        const SequenceFolders folders = sequence_folders(options.out);
        out << "wrote " << sequence.frames.size() << " frames of " << sequence.width << " x "
            << sequence.height << " to " << folders.images << "\n"
            << "truth in " << folders.truth << ": " << events.tracks << " tracks, "
            << events.divisions << " divisions, " << events.entries << " entries, " << events.exits
            << " exits\n";
    } catch (const std::exception& error) {
        err << program << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace synth

#include "imaging/synthetic/synth_command_line.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "imaging/synthetic/sequence_writer.h"
#include "imaging/synthetic/command_line_common.h"
#include "imaging/synthetic/option_values.h"
#include "util/exception.h"

namespace synth {

namespace {

const char* const program = "ostrel-synth";


// One valued option: its name, the placeholder and help text of the usage,
// and how its value sets the options. Adding an option is adding a row.
struct ValuedOption {
    const char* name;
    const char* help;  // the usage line after the name
    void (*set)(const std::string& option, const std::string& value, SynthOptions& options);
};

const std::vector<ValuedOption>& valued_options() {
    static const std::vector<ValuedOption> table = {
        {"--out", "DIR              output folder (required)",
         [](const std::string&, const std::string& v, SynthOptions& o) {
             if (v.empty()) throw util::Exception("--out needs a folder name");
             o.out = v;
         }},
        {"--seed", "N               random seed (default 1)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.seed = read_seed(n, v); }},
        {"--size", "N | WxH         image size in pixels, 16 to 4096 (default 256)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { read_size(n, v, o.parameters.width, o.parameters.height); }},
        {"--cells", "N              nuclei in the first frame, 0 to 2000 (default 20)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.cells = read_int(n, v); }},
        {"--frames", "N             number of frames, 1 to 1000 (default 40)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.frames = read_int(n, v); }},
        {"--radius", "R             mean nucleus radius in pixels, 2 to 50 (default 5)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.radius = read_real(n, v); }},
        {"--speed", "S              r.m.s. velocity per axis, pixels/frame (default 1.5)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.speed = read_real(n, v); }},
        {"--division-rate", "P      chance of dividing per cell and frame (default 0.008)",
         [](const std::string& n, const std::string& v, SynthOptions& o) {
             o.parameters.division_rate = read_real(n, v);
         }},
        {"--entry-rate", "R         mean number of nuclei entering per frame (default 0.1)",
         [](const std::string& n, const std::string& v, SynthOptions& o) {
             o.parameters.entry_rate = read_real(n, v);
         }},
        {"--background", "B         background grey level (default 1000)",
         [](const std::string& n, const std::string& v, SynthOptions& o) {
             o.parameters.background = read_real(n, v);
         }},
        {"--contrast", "C           mean nucleus brightness above background (default 2500)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.contrast = read_real(n, v); }},
        {"--noise", "S              standard deviation of the pixel noise (default 50)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.noise = read_real(n, v); }},
        {"--spacing", "F            least distance of two nuclei as a multiple of the sum\n"
                      "                         of their radii (long semi-axes of ellipses), 0.8 to 4\n"
                      "                         (default 1.25); 1 lets them touch, less overlap",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.spacing = read_real(n, v); }},
        {"--elongation", "E         elliptical nuclei with axis ratios up to E, 1 to 3\n"
                         "                         (default 1: discs)",
         [](const std::string& n, const std::string& v, SynthOptions& o) {
             o.parameters.elongation = read_real(n, v);
         }},
        {"--brightness-spread", "S  relative spread of the nucleus brightness, 0 to 0.3\n"
                                "                         (default 0.1)",
         [](const std::string& n, const std::string& v, SynthOptions& o) {
             o.parameters.brightness_spread = read_real(n, v);
         }},
        {"--dim-fraction", "P       share of dim nuclei, 0 to 1 (default 0)",
         [](const std::string& n, const std::string& v, SynthOptions& o) {
             o.parameters.dim_fraction = read_real(n, v);
         }},
        {"--dim-level", "L          brightness of a dim nucleus relative to the others,\n"
                        "                         0.05 to 1 (default 0.35)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.dim_level = read_real(n, v); }},
        {"--uneven", "U             uneven background: a ramp and a broad bright patch\n"
                     "                         adding up to about U grey levels (default 0)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.uneven = read_real(n, v); }},
        {"--blur", "W               width of the soft nucleus border in pixels, 0.1 to 10\n"
                   "                         (default 0.5)",
         [](const std::string& n, const std::string& v, SynthOptions& o) { o.parameters.blur = read_real(n, v); }},
    };
    return table;
}

}  // namespace

std::string synth_usage() {
    std::string usage = std::string("Usage: ") + program + " --out DIR [options]\n" +
                        "Writes a synthetic 2-D fluorescence time-lapse of moving, entering, leaving and\n"
                        "dividing nuclei with its ground truth:\n"
                        "  DIR/images/t000.tif ...         16-bit greyscale frames\n"
                        "  DIR/truth/man_track.txt         one line 'L B E P' per track (label, first\n"
                        "                                  frame, last frame, mother label or 0)\n"
                        "  DIR/truth/man_track000.tif ...  16-bit label masks (0 = background)\n"
                        "Nuclei keep apart by 1.25 times the sum of their radii (see --spacing);\n"
                        "divisions and entries pause while 3000 nuclei are alive. The same options\n"
                        "(seed included) always give the same files.\n"
                        "\n"
                        "Options:\n";
    for (const ValuedOption& option : valued_options()) usage += std::string("  ") + option.name + " " + option.help + "\n";
    usage += "  --force                overwrite the files of an earlier run in DIR/images\n"
             "                         and DIR/truth (otherwise non-empty folders are refused)\n"
             "  --help                 show this text\n";
    return usage;
}

SynthOptions parse_synth_options(const std::vector<std::string>& args) {
    SynthOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::string value;
        const bool has_value = split_value(option, value);
        if (take_flag(option, has_value, value, options)) continue;
        const auto& table = valued_options();
        const auto known = std::find_if(table.begin(), table.end(),
                                         [&option](const ValuedOption& o) { return option == o.name; });
        if (known == table.end()) throw util::Exception("unknown option: " + args[i]);
        if (!has_value) {
            if (i + 1 >= args.size()) throw util::Exception(option + " needs a value");
            value = args[++i];
        }
        known->set(option, value, options);
    }
    if (options.help) return options;
    if (options.out.empty()) throw util::Exception("--out DIR is required");
    options.parameters.validate();
    return options;
}

int run_synth(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SynthOptions options;
    if (const auto status =
            start_command_line(parse_synth_options, args, options, program, "--help", synth_usage(), out, err))
        return *status;
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

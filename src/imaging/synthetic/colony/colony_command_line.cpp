#include "imaging/synthetic/colony/colony_command_line.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "imaging/synthetic/colony/colony_writer.h"
#include "imaging/synthetic/sequence_writer.h"
#include "imaging/synthetic/synth_command_line.h"
#include "imaging/synthetic/command_line_common.h"
#include "imaging/synthetic/option_values.h"
#include "util/exception.h"

namespace synth::colony {

namespace {

const char* const program = "ostrel-synth";

}  // namespace

std::string colony_usage() {
    return std::string("Usage: ") + program + " --model rods --out DIR [options]\n" +
           "Grows a synthetic 2-D fluorescence time-lapse of a dense colony of rod-shaped\n"
           "cells that elongate, divide across their middle into two touching daughters and\n"
           "push their neighbours, with its ground truth:\n"
           "  DIR/images/t000.tif ...         16-bit greyscale frames\n"
           "  DIR/truth/man_track.txt         one line 'L B E P' per track (label, first\n"
           "                                  frame, last frame, mother label or 0)\n"
           "  DIR/truth/man_track000.tif ...  16-bit label masks (0 = background)\n"
           "A rod whose centre leaves the image ends. The same options (seed included)\n"
           "always give the same files. The defaults end with about 300 cells.\n"
           "\n"
           "Options:\n"
           "  --out DIR              output folder (required)\n"
           "  --force                overwrite the files of an earlier run in DIR/images\n"
           "                         and DIR/truth (otherwise non-empty folders are refused)\n"
           "  --seed N               random seed (default 1)\n"
           "  --size N | WxH         image size in pixels, 32 to 4096 (default 512)\n"
           "  --cells N              founder cells near the centre, 1 to 1000 (default 12)\n"
           "  --frames N             number of frames, 1 to 1000 (default 60)\n"
           "  --cell-width W         rod diameter in pixels, 2 to 50 (default 8)\n"
           "  --division-length L    mean tip-to-tip length at division, pixels, at least\n"
           "                         2.5 cell widths (default 32)\n"
           "  --doubling-time T      mean frames from birth to division (default 12)\n"
           "  --jitter J             r.m.s. random displacement, pixels/frame (default 0.3)\n"
           "  --background B         background grey level (default 1000)\n"
           "  --contrast C           mean cell brightness above background (default 2500)\n"
           "  --noise S              standard deviation of the pixel noise (default 50)\n"
           "  --profile dome|flat    how bright a rod is across: dome (default) is the\n"
           "                         cell's thickness, brightest on the axis, so touching\n"
           "                         rods meet at a dim seam as under a microscope; flat is\n"
           "                         an even rod with a soft edge, summed where rods overlap\n"
           "                         (no seam; how earlier versions drew them)\n"
           "  --psf-sigma S          the microscope's blur of the dome profile, pixels,\n"
           "                         0 to 10 (default 1)\n"
           "  --help                 show this text\n";
}

ColonyOptions parse_colony_options(const std::vector<std::string>& args) {
    ColonyOptions options;
    ColonyParameters& p = options.parameters;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::string value;
        const bool has_value = split_value(option, value);
        if (take_flag(option, has_value, value, options)) continue;
        static const char* const valued[] = {"--out",    "--seed",           "--size",
                                              "--cells",  "--frames",         "--cell-width",
                                              "--division-length", "--doubling-time", "--jitter",
                                              "--background",      "--contrast",      "--noise",
                                              "--profile",         "--psf-sigma"};
        bool known = false;
        for (const char* name : valued) known = known || option == name;
        if (!known) throw util::Exception("unknown option for --model rods: " + args[i]);
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
            read_size(option, value, p.width, p.height);
        } else if (option == "--cells") {
            p.founders = read_int(option, value);
        } else if (option == "--frames") {
            p.frames = read_int(option, value);
        } else if (option == "--cell-width") {
            p.cell_width = read_real(option, value);
        } else if (option == "--division-length") {
            p.division_length = read_real(option, value);
        } else if (option == "--doubling-time") {
            p.doubling_time = read_real(option, value);
        } else if (option == "--jitter") {
            p.jitter = read_real(option, value);
        } else if (option == "--background") {
            p.background = read_real(option, value);
        } else if (option == "--contrast") {
            p.contrast = read_real(option, value);
        } else if (option == "--noise") {
            p.noise = read_real(option, value);
        } else if (option == "--profile") {
            if (value != "dome" && value != "flat")
                throw util::Exception("--profile must be dome or flat, not '" + value + "'");
            p.profile = value == "dome" ? RodProfile::dome : RodProfile::flat;
        } else if (option == "--psf-sigma") {
            p.psf_sigma = read_real(option, value);
        }
    }
    if (options.help) return options;
    if (options.out.empty()) throw util::Exception("--out DIR is required");
    p.validate();
    return options;
}

namespace {

int run_colony(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ColonyOptions options;
    if (const auto status =
            start_command_line(parse_colony_options, args, options, program, "--model rods --help", colony_usage(), out, err))
        return *status;
    try {
        const ColonySequence sequence = write_colony(options.parameters, options.out, options.force);
        int divisions = 0;
        for (const TrackRecord& track : sequence.tracks) divisions += track.parent != 0;
        const SequenceFolders folders = sequence_folders(options.out);
        out << "wrote " << sequence.frames.size() << " frames of " << sequence.width << " x " << sequence.height
            << " to " << folders.images << "\n"
            << "truth in " << folders.truth << ": " << sequence.tracks.size() << " tracks, " << divisions / 2
            << " divisions, " << final_population(sequence) << " cells in the last frame\n";
    } catch (const std::exception& error) {
        err << program << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int run_synth_model(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> rest;
    std::string model = "nuclei";
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::string value;
        if (split_value(option, value) && option == "--model") {
            model = value;
        } else if (option == "--model") {
            if (i + 1 >= args.size()) {
                err << program << ": --model needs a value (nuclei or rods)\n";
                return 2;
            }
            model = args[++i];
        } else {
            rest.push_back(args[i]);
        }
    }
    if (model == "rods") return run_colony(rest, out, err);
    if (model != "nuclei") {
        err << program << ": --model: '" << model << "' is not nuclei or rods\n";
        return 2;
    }
    const int status = run_synth(rest, out, err);
    for (const std::string& arg : rest)
        if (arg == "--help" || arg == "-h") {
            out << "  --model rods           grow a colony of rod-shaped cells instead (see\n"
                << "                         " << program << " --model rods --help)\n";
            break;
        }
    return status;
}

}  // namespace synth::colony

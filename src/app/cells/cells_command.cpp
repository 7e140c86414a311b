#include "app/cells/cells_command.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "app/cells/batch.h"
#include "app/cells/cell_configuration.h"
#include "app/cells/image_survey.h"
#include "app/run.h"
#include "app/version.h"
#include "imaging/tiff_file_names.h"
#include "util/exception.h"
#include "util/system.h"
#include "util/trash.h"

namespace cells {

namespace fs = std::filesystem;

namespace {

const char* const kConfigurationName = "ostrel-cells.xml";

// The input folder as the configuration in `output` names it: an absolute
// path stays absolute; a relative one is made relative to the output
// folder, so that the two may move together.
std::string input_as_seen_from(const fs::path& input, const fs::path& output) {
    if (input.is_absolute()) return fs::weakly_canonical(input).generic_string();
    const fs::path relative = fs::weakly_canonical(input).lexically_relative(fs::weakly_canonical(output));
    return relative.empty() ? fs::weakly_canonical(input).generic_string() : relative.generic_string();
}

// Whether `inner` is `outer` or lies inside it.
bool inside(const fs::path& inner, const fs::path& outer) {
    const fs::path relative = fs::weakly_canonical(inner).lexically_relative(fs::weakly_canonical(outer));
    return !relative.empty() && *relative.begin() != "..";
}

// Derived numbers are shown and written with one decimal.
double one_decimal(double value) { return std::round(value * 10) / 10; }

CellTrackingPlan make_plan(const CellOptions& options, const ImageSurvey& survey, const std::string& input,
                           const std::string& output) {
    CellTrackingPlan plan;
    plan.input = input_as_seen_from(input, output);
    plan.masks = options.masks;
    plan.dimensions = survey.dimensions();
    plan.width = survey.width;
    plan.height = survey.height;
    plan.depth = survey.depth;
    plan.frames = survey.files.size();
    if (options.diameter) {
        plan.diameter = *options.diameter;
        plan.diameter_origin = "given";
    } else if (survey.diameter) {
        plan.diameter = one_decimal(*survey.diameter);
        plan.diameter_origin = "estimated from " + fs::path(survey.diameter_source).filename().string();
    } else {
        plan.diameter = kDefaultDiameter;
        plan.diameter_origin = "default: no cell found in the first images";
    }
    if (survey.elongation) plan.elongation = *survey.elongation;
    if (survey.signal_to_noise) plan.signal_to_noise = *survey.signal_to_noise;
    if (options.shape) {
        plan.rods = *options.shape == "rods";
        plan.shape_origin = "given";
    } else if (survey.elongation) {
        // Rods lie packed side by side; cells only somewhat elongated and
        // apart from each other (nuclei) are segmented and divide as round
        // ones do. Long cells are rods however they lie (a colony grows from
        // a few scattered cells).
        const bool packed = !survey.spacing || *survey.spacing < kRodSpacing * plan.diameter;
        plan.rods = *survey.elongation >= kLongRodElongation || (*survey.elongation >= kRodElongation && packed);
        plan.shape_origin = "length over width " + number_text(one_decimal(*survey.elongation)) +
                            (survey.spacing
                                 ? ", neighbours " + number_text(one_decimal(*survey.spacing)) + " pixels apart"
                                 : std::string()) +
                            " in " + fs::path(survey.diameter_source).filename().string();
    } else {
        plan.shape_origin = "default";
    }
    if (options.max_speed) {
        plan.max_speed = *options.max_speed;
        plan.max_speed_origin = "given";
    } else {
        plan.max_speed = one_decimal(kDefaultSpeedPerDiameter * plan.diameter);
        plan.max_speed_origin = "default: " + number_text(kDefaultSpeedPerDiameter) + " diameters";
        // Cells seen moving further than that: their typical move, with room.
        if (survey.move && one_decimal(kSpeedPerTypicalMove * *survey.move) > plan.max_speed) {
            plan.max_speed = one_decimal(kSpeedPerTypicalMove * *survey.move);
            plan.max_speed_origin = number_text(kSpeedPerTypicalMove) + " times the typical move, " +
                                    number_text(one_decimal(*survey.move)) + " pixels from " + survey.move_source;
        }
    }
    return plan;
}

int track_sequence(const CellOptions& options, const std::string& program) {
    const std::string input = options.arguments[0];
    const std::string output = options.arguments[1];
    std::string configuration;
    try {
        // Everything is checked before the output folder is touched.
        const ImageSurvey survey = survey_images(input, options.masks);
        prepare_output(input, output);
        const CellTrackingPlan plan = make_plan(options, survey, input, output);
        const std::string text = cell_tracking_configuration(plan);
        configuration = (fs::path(output) / kConfigurationName).string();
        std::ofstream file(configuration, std::ios::binary);
        file << text;
        file.close();
        if (!file) throw util::Exception("unable to write " + configuration);

        std::cout << "ostrel-cells: " << plan.frames << " frames of " << plan.width << " x " << plan.height
                  << (plan.dimensions == 3 ? " x " + std::to_string(plan.depth) : "") << " ("
                  << plan.dimensions << "-D " << (plan.masks ? "label masks" : "images") << ") in " << input << "\n"
                  << "  cell diameter " << number_text(plan.diameter) << " pixels (" << plan.diameter_origin << ")\n"
                  << (survey.signal_to_noise
                          ? "  signal to noise " + number_text(one_decimal(*survey.signal_to_noise)) + "\n"
                          : "")
                  << "  maximum speed " << number_text(plan.max_speed) << " pixels per frame ("
                  << plan.max_speed_origin << ")\n"
                  << "  cell shape " << (plan.rods ? "rods" : "round") << " (" << plan.shape_origin << ")\n";
        if (const char* threads = std::getenv("OSTREL_THREADS"))
            std::cout << "  threads per run: " << threads << " (OSTREL_THREADS)\n";
        std::cout << "  configuration: " << configuration << std::endl;
    } catch (const std::exception& error) {
        std::cerr << "ostrel-cells: " << error.what() << std::endl;
        return 1;
    }
    // The configuration runs exactly as "ostrel --strict OUTPUT/ostrel-cells.xml" would.
    app::RunSettings settings;
    settings.arguments = {configuration};
    settings.strict = true;
    return app::run_configuration(settings, program);
}

int track_batch(const CellOptions& options, const std::vector<Sequence>& sequences) {
    const std::string output = options.arguments[1];
    std::vector<BatchJob> jobs;
    try {
        if (inside(output, options.arguments[0]) || inside(options.arguments[0], output))
            throw util::Exception("the output folder must lie outside the input folder and not hold it: input " +
                                  options.arguments[0] + ", output " + output);
        fs::create_directories(output);
        const std::string self = own_executable();
        for (const Sequence& sequence : sequences) {
            BatchJob job;
            job.name = sequence.name;
            job.log = (fs::path(output) / (sequence.name + ".log")).string();
            job.command = {self, sequence.images, (fs::path(output) / sequence.name).string()};
            if (options.masks) job.command.push_back("--masks");
            if (options.diameter) job.command.insert(job.command.end(), {"--diameter", number_text(*options.diameter)});
            if (options.max_speed)
                job.command.insert(job.command.end(), {"--max-speed", number_text(*options.max_speed)});
            if (options.shape) job.command.insert(job.command.end(), {"--shape", *options.shape});
            // Each run takes its share of the cores: one thread unless told
            // otherwise, as many runs at once as there are cores.
            job.command.insert(job.command.end(), {"--threads", std::to_string(options.threads.value_or(1))});
            jobs.push_back(job);
        }
    } catch (const std::exception& error) {
        std::cerr << "ostrel-cells: " << error.what() << std::endl;
        return 1;
    }
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const int parallel = options.jobs ? *options.jobs : std::max(1, cores / options.threads.value_or(1));
    std::cout << "ostrel-cells: " << sequences.size() << " sequences in " << options.arguments[0] << ", "
              << std::min<std::size_t>(static_cast<std::size_t>(parallel), sequences.size()) << " at a time; results in "
              << output << "/NAME, logs in " << output << "/NAME.log" << std::endl;

    const std::vector<BatchOutcome> outcomes = run_batch(jobs, parallel, std::cout);
    std::string failed;
    int failures = 0;
    for (const BatchOutcome& outcome : outcomes)
        if (!outcome.ok()) {
            failed += (failures++ ? ", " : "") + outcome.name;
        }
    if (failures == 0) {
        std::cout << "all " << outcomes.size() << " sequences tracked" << std::endl;
        return 0;
    }
    std::cerr << "ostrel-cells: " << failures << " of " << outcomes.size() << " sequences failed: " << failed
              << std::endl;
    return 1;
}

}  // namespace

std::vector<app::Option> cell_options(CellOptions& o) {
    using app::positive_integer;
    using app::positive_number;
    return {
        {"--help", "-h", "", "show this help and exit",
         [&o](const std::string&) { o.instead = [](std::ostream& out) { out << cells_help(); }; }},
        {"--version", "", "", "print the version and exit",
         [&o](const std::string&) {
             o.instead = [](std::ostream& out) { out << "ostrel-cells " << app::version() << "\n"; };
         }},
        {"--masks", "", "", "the images are label masks (0 = background, one value per cell) made by another segmenter",
         [&o](const std::string&) { o.masks = true; }},
        {"--diameter", "", "PIXELS", "typical cell diameter (default: measured in the first images)",
         [&o](const std::string& v) { o.diameter = positive_number("--diameter", v); }},
        {"--max-speed", "", "PIXELS",
         "largest distance a cell moves from one frame to the next (default: 0.4 diameters, or 1.5 times the "
         "typical move in the first images when more)",
         [&o](const std::string& v) { o.max_speed = positive_number("--max-speed", v); }},
        {"--shape", "", "round|rods",
         "rods: rod-shaped cells packed side by side, told apart by the dim seams between them "
         "(default: rods when the cells of the first image are at least 2.5 times as long as wide, or twice "
         "and within two diameters of each other)",
         [&o](const std::string& v) {
             if (v != "round" && v != "rods") throw util::Exception("--shape must be round or rods, not '" + v + "'");
             o.shape = v;
         }},
        {"--threads", "", "N", "threads of each run (sets OSTREL_THREADS)",
         [&o](const std::string& v) { o.threads = positive_integer("--threads", v); }},
        {"--jobs", "", "N", "sequences tracked at once in a batch (default: cores / threads)",
         [&o](const std::string& v) { o.jobs = positive_integer("--jobs", v); }},
    };
}

std::string cells_help() {
    CellOptions unused;
    return "Usage: ostrel-cells INPUT OUTPUT [OPTIONS]\n"
           "Tracks the cells of a folder of 16-bit (or 8-bit) greyscale TIFF images, one per\n"
           "frame in name order: 2-D images, or 3-D stacks of one multi-page file per frame.\n"
           "The configuration is derived from the images (size, 2-D or 3-D, cell size) and\n"
           "two physical numbers, the cell diameter and the largest move per frame.\n"
           "OUTPUT receives the result in the cell-tracking-challenge form (res_track.txt and\n"
           "mask000.tif ...) and the configuration that made it, ostrel-cells.xml; \"ostrel\n"
           "OUTPUT/ostrel-cells.xml\" runs it again. An OUTPUT holding an earlier result is\n"
           "moved to the trash first; any other non-empty OUTPUT is refused.\n"
           "\n"
           "When INPUT holds no TIFF but folders that do (or whose \"images\" folder does),\n"
           "each is tracked as one sequence into OUTPUT/NAME, several at once, with its log\n"
           "in OUTPUT/NAME.log; one failure does not stop the others.\n"
           "\n"
           "Options:\n" +
           app::describe_options(cell_options(unused)) +
           "\n"
           "Exit status: 0 when every sequence was tracked, 1 otherwise.\n";
}

bool holds_tiff_files(const std::string& folder) {
    std::error_code error;
    return fs::is_directory(folder, error) && !ipc::list_tiff_files(folder).empty();
}

std::vector<Sequence> find_sequences(const std::string& folder) {
    std::vector<Sequence> sequences;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_directory()) continue;
        const std::string name = entry.path().filename().string();
        if (holds_tiff_files(entry.path().string()))
            sequences.push_back({name, entry.path().string()});
        else if (holds_tiff_files((entry.path() / "images").string()))
            sequences.push_back({name, (entry.path() / "images").string()});
    }
    std::sort(sequences.begin(), sequences.end(),
              [](const Sequence& a, const Sequence& b) { return a.name < b.name; });
    return sequences;
}

void prepare_output(const std::string& input, const std::string& output) {
    if (inside(input, output))
        throw util::Exception("the output folder must not be the input folder or hold it: output " + output);
    std::error_code error;
    if (!fs::exists(output, error)) {
        fs::create_directories(output, error);
        if (error) throw util::Exception("unable to make the output folder " + output + ": " + error.message());
        return;
    }
    if (!fs::is_directory(output, error)) throw util::Exception("the output is not a folder: " + output);
    if (fs::is_empty(output, error)) return;
    const fs::path folder(output);
    if (!fs::exists(folder / kConfigurationName) && !fs::exists(folder / "res_track.txt"))
        throw util::Exception("the output folder " + output +
                              " holds files that are not an earlier result; name a new or empty folder");
    util::make_directory(output);
}

int run_cells(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "ostrel-cells";
    CellOptions options;
    try {
        options.arguments =
            app::apply_options(std::vector<std::string>(argv + std::min(argc, 1), argv + argc), cell_options(options));
        if (options.instead) {
            options.instead(std::cout);
            return 0;
        }
        if (options.arguments.size() != 2)
            throw util::Exception("Usage: ostrel-cells INPUT OUTPUT [OPTIONS] (got " +
                                  std::to_string(options.arguments.size()) + " arguments)");
    } catch (const std::exception& error) {
        std::cerr << "ostrel-cells: " << error.what() << "\nTry 'ostrel-cells --help' for the options." << std::endl;
        return 1;
    }
    if (options.threads) ::setenv("OSTREL_THREADS", std::to_string(*options.threads).c_str(), 1);

    const std::string& input = options.arguments[0];
    if (!holds_tiff_files(input)) {
        std::vector<Sequence> sequences;
        std::error_code error;
        if (fs::is_directory(input, error)) sequences = find_sequences(input);
        if (!sequences.empty()) return track_batch(options, sequences);
    }
    return track_sequence(options, program);
}

}  // namespace cells

#include "app/run.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <unistd.h>

#include "app/key_catalogue.h"
#include "app/progress_reporter.h"
#include "app/registration.h"
#include "app/scramble.h"
#include "app/version.h"
#include "config/catalogue.h"
#include "pipeline/component.h"
#include "pipeline/source_length.h"
#include "util/exception.h"
#include "xml/parser.h"
#include "xml/querier.h"
#include "xml/strictness.h"

namespace app {

namespace {

const char* const kDefaultFile = "Ostrel.txt";

bool is_plain_xml(const std::string& file) {
    if (file.size() < 3)
        throw util::Exception("configuration file name is too short to tell its kind: \"" + file + "\"");
    return file.compare(file.size() - 3, 3, "xml") == 0;
}

xml::Querier load_configuration(const std::string& file) {
    if (is_plain_xml(file)) return xml::Querier::open(file);
    return xml::Querier(xml::parse_document(read_scrambled(file), file, true));
}

// Whether an active frame_counter stage prints its own progress numbers; the
// progress line would garble them, so it stays off then.
bool counts_its_own_frames(const xml::Tag& tag) {
    std::string active;
    if (tag.find_att("active", active) && active == "false") return false;
    if (tag.name == "frame_counter") return true;
    for (const auto& child : *tag.children)
        if (counts_its_own_frames(*child)) return true;
    return false;
}

struct Pipeline {
    cmpnt::ComponentPtr root;
    bool counts_its_own_frames = false;
};

Pipeline build_pipeline(const std::string& program, const std::vector<std::string>& arguments) {
    register_all();
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::string path = configuration_path(args);
    std::cout << "configuration file is " << path << std::endl;

    std::string folder, file;
    split_path(path, folder, file);
    if (!folder.empty()) {
        std::cout << "changing directory to " << folder << std::endl;
        std::error_code error;
        std::filesystem::current_path(folder, error);
        if (error) throw util::Exception("unable to change directory to " + folder);
    }
    xml::Querier configuration = load_configuration(file);
    xml::expand_includes(configuration);
    cmpnt::forget_source_length();
    Pipeline pipeline;
    pipeline.counts_its_own_frames = counts_its_own_frames(configuration.current());
    pipeline.root = cmpnt::factory().create(configuration);
    return pipeline;
}

std::optional<ProgressReporter> progress_for(const RunSettings& settings, const Pipeline& pipeline) {
    if (!settings.progress || pipeline.counts_its_own_frames) return std::nullopt;
    const bool terminal = ::isatty(::fileno(stdout)) == 1;
    return std::make_optional<ProgressReporter>(
        std::cout, terminal ? ProgressReporter::Style::updating_line : ProgressReporter::Style::plain_lines,
        cmpnt::announced_source_length());
}

void run_pipeline(const RunSettings& settings, const std::string& program) {
    Pipeline pipeline = build_pipeline(program, settings.arguments);
    std::optional<ProgressReporter> progress = progress_for(settings, pipeline);
    try {
        while (pipeline.root->push())
            if (progress) progress->frame_done();
        // Releasing the root destroys the pipeline, which closes every file
        // (the cell-tracking writer writes its lineage file then).
        pipeline.root.reset();
    } catch (...) {
        if (progress) progress->finish(false);
        throw;
    }
    if (progress) progress->finish(true);
}

}  // namespace

std::vector<Option> ostrel_options(RunSettings& s) {
    auto print = [&s](std::function<void(std::ostream&)> what) { s.instead = std::move(what); };
    return {
        {"--help", "-h", "", "show this help and exit",
         [print](const std::string&) { print([](std::ostream& out) { out << ostrel_help(); }); }},
        {"--version", "", "", "print the version and exit",
         [print](const std::string&) { print([](std::ostream& out) { out << "ostrel " << version() << "\n"; }); }},
        {"--list-keys", "", "[FAMILY]",
         "list the keys a configuration may use, grouped by family (components, filters, frames, states, "
         "simulators, footprints, uniform_footprints, masks), and exit",
         [print](const std::string& family) {
             print([family](std::ostream& out) {
                 register_all();
                 list_keys(out, family);
             });
         }},
        {"--strict", "", "", "treat configuration mistakes (unknown elements, text after a number) as errors",
         [&s](const std::string&) { s.strict = true; }},
        {"--no-progress", "", "", "show no progress line", [&s](const std::string&) { s.progress = false; }},
        {"--describe", "", "KEY", "explain a key: what it does and the elements it reads, and exit",
         [print](const std::string& key) {
             print([key](std::ostream& out) {
                 register_all();
                 out << config::describe_key(key);
             });
         }},
    };
}

std::string ostrel_help() {
    RunSettings unused;
    return "Usage: ostrel [OPTIONS] [CONFIGURATION]\n"
           "Runs the pipeline that an XML configuration file describes, frame by frame,\n"
           "until its source is exhausted. Without a file, the first word of Ostrel.txt\n"
           "in the working directory names it. The run takes place in the configuration's\n"
           "folder: relative names in it (included files, input and output folders) are\n"
           "read from there. A name not ending in \"xml\" is read as a scrambled file.\n"
           "\n"
           "Options:\n" +
           describe_options(ostrel_options(unused)) +
           "\n"
           "To track a folder of cell images without writing a configuration, see\n"
           "ostrel-cells --help.\n"
           "Exit status: 0 after a clean run, 1 after an error (the message says which).\n";
}

std::string configuration_path(const std::vector<std::string>& args) {
    if (args.size() == 2) return args[1];
    if (args.size() == 1) {
        std::ifstream pointer(kDefaultFile);
        if (!pointer) throw util::Exception(std::string("Unable to open default file ") + kDefaultFile);
        std::string word;
        pointer >> word;
        if (word.empty()) throw util::Exception(std::string("no configuration file named in ") + kDefaultFile);
        return word;
    }
    std::string program = args.empty() ? std::string("ostrel") : args[0];
    throw util::Exception("Usage: " + program + " " + " configuration_file");
}

void split_path(const std::string& path, std::string& folder, std::string& file) {
    std::string normal = path;
    for (char& c : normal)
        if (c == '\\') c = '/';
    std::size_t slash = normal.rfind('/');
    if (slash == std::string::npos) {
        folder.clear();
        file = normal;
        return;
    }
    folder = normal.substr(0, slash);
    file = normal.substr(slash + 1);
    // An absolute path whose only slash is the first character names a file
    // in the root folder.
    if (folder.empty() && slash == 0) folder = "/";
}

namespace {

// Prints the error of a failed run and the elapsed time; returns the exit status.
template <class Body>
int guarded(Body body) {
    auto start = std::chrono::steady_clock::now();
    int status = 0;
    try {
        status = body();
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        status = 1;
    } catch (...) {
        std::cerr << "\nCaught unknown exception.\n\n" << "\n";
        status = 1;
    }
    auto elapsed_ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    float seconds = static_cast<float>(elapsed_ms * 0.001);
    std::cerr << std::endl;
    std::cerr << "Elapsed time: " << seconds << std::endl;
    return status;
}

}  // namespace

int run_configuration(const RunSettings& settings, const std::string& program) {
    return guarded([&] {
        xml::set_strict_mode(settings.strict);
        run_pipeline(settings, program);
        return 0;
    });
}

int run(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "ostrel";
    RunSettings settings;
    // Option mistakes and the printed answers (--help, --list-keys, ...)
    // come before any run, so no elapsed time follows them.
    try {
        settings.arguments =
            apply_options(std::vector<std::string>(argv + std::min(argc, 1), argv + argc), ostrel_options(settings));
        if (settings.instead) {
            settings.instead(std::cout);
            return 0;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\nTry 'ostrel --help' for the options.\n";
        return 1;
    }
    return run_configuration(settings, program);
}

}  // namespace app

#include "app/run.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/registration.h"
#include "app/scramble.h"
#include "pipeline/component.h"
#include "util/exception.h"
#include "xml/parser.h"
#include "xml/querier.h"

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

cmpnt::ComponentPtr build_root(int argc, char** argv) {
    register_all();
    std::vector<std::string> args(argv, argv + argc);
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
    return cmpnt::factory().create(configuration);
}

}  // namespace

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

int run(int argc, char** argv) {
    auto start = std::chrono::steady_clock::now();
    int status = 0;
    try {
        cmpnt::ComponentPtr root = build_root(argc, argv);
        while (root->push()) {
        }
        root.reset();
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

}  // namespace app

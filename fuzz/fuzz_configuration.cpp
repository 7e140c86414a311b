// The configuration builder: the input is a whole configuration, built into
// a pipeline by the factories and run for at most kMaxPushes frames, as
// `ostrel` runs it, in a folder holding small inputs (fuzz/inputs: images/
// and truth/ with three 48 x 48 frames of `ostrel-synth --seed 3 --size 48
// --cells 3 --frames 3 --radius 4`; frames/ with the recorded contact frames
// of examples/replay; the shipped filter files). Configurations naming anything outside that folder
// (a "/" or "\" or a name "." or ".." in any text or attribute) are skipped:
// writers move an existing output folder to the trash, and a fuzzer must not
// be able to aim that at the machine's own files.
#include <cstdint>

#include "app/registration.h"
#include "fuzz_support.h"
#include "pipeline/component.h"
#include "util/exception.h"
#include "xml/querier.h"

#ifndef OSTREL_SOURCE_DIR
#error "OSTREL_SOURCE_DIR must name the repository"
#endif

namespace {

constexpr int kMaxPushes = 6;
namespace fs = std::filesystem;

bool names_only_the_run_folder(const std::string& text) {
    if (text.find_first_of("/\\") != std::string::npos) return false;
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return true;
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    const std::string word = text.substr(first, last - first + 1);
    return word != "." && word != ".." && word[0] != '~';
}

bool stays_inside(const xml::Tag& tag) {
    if (!names_only_the_run_folder(tag.name) || !names_only_the_run_folder(tag.text)) return false;
    for (const auto& attribute : tag.attributes)
        if (!names_only_the_run_folder(attribute.second)) return false;
    for (const auto& child : *tag.children)
        if (!stays_inside(*child)) return false;
    return true;
}

// The pristine inputs, copied into a fresh run folder before every input.
void make_inputs(const fs::path& inputs) {
    const fs::path source(OSTREL_SOURCE_DIR);
    fs::create_directories(inputs / "frames");
    fs::copy(source / "fuzz/inputs", inputs, fs::copy_options::recursive);
    for (const auto& entry : fs::directory_iterator(source / "examples/replay/frames"))
        fs::copy_file(entry.path(), inputs / "frames" / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(source / "examples/filters"))
        fs::copy_file(entry.path(), inputs / entry.path().filename());
}

// A fresh copy of the inputs for each run. The fuzzer's timer signal can
// interrupt the copy (EINTR), which is no finding: the copy is tried again.
void copy_inputs(const fs::path& inputs, const fs::path& run) {
    for (int attempt = 1;; ++attempt) {
        std::error_code error;
        fs::remove_all(run, error);
        fs::copy(inputs, run, fs::copy_options::recursive, error);
        if (!error) return;
        if (error != std::errc::interrupted || attempt == 100)
            throw fs::filesystem_error("copying the fuzzer's inputs", inputs, run, error);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::Scratch scratch;
    static const fs::path inputs = scratch.root() / "inputs";
    static const fs::path run = scratch.root() / "run";
    static const bool ready = [] {
        app::register_all();
        make_inputs(inputs);
        return true;
    }();
    (void)ready;

    fs::current_path(scratch.root());
    copy_inputs(inputs, run);
    fs::current_path(run);
    fuzz::write_file("run.xml", data, size);
    try {
        xml::Querier configuration = xml::Querier::open("run.xml");
        xml::expand_includes(configuration);
        if (stays_inside(*configuration.root())) {
            cmpnt::ComponentPtr root = cmpnt::factory().create(configuration);
            for (int push = 0; push < kMaxPushes && root->push(); ++push) {
            }
        }
    } catch (const std::exception&) {
        // util::Exception and the standard library's own (bad_alloc aside,
        // which the fuzzer's memory limit reports) end a run cleanly.
    }
    fs::current_path(scratch.root());
    scratch.empty_trash();
    return 0;
}

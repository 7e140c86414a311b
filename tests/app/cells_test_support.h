#pragma once
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/tiff_page_writer.h"
#include "support/run_command.h"

// Small image sequences for the ostrel-cells tests, and running the tools.
namespace cells_test {

namespace fs = std::filesystem;

// A bright disc (2-D) or ball (3-D) that moves by a fixed step per frame.
struct Blob {
    double x, y, z;
    double dx, dy, dz;
    double radius;
};

// One file per frame, t000.tif ...: blobs about 3000 bright (or, with masks,
// of value index + 1) on a background about 1000 (0 for masks); stacks when
// depth > 1. Raw images carry a faint fixed texture: the grey threshold needs
// more than two grey levels to find a foreground.
inline void write_blob_sequence(const fs::path& folder, const std::vector<Blob>& blobs, int width, int height,
                                int depth, int frames, bool masks = false) {
    fs::create_directories(folder);
    for (int f = 0; f < frames; ++f) {
        ipc::Image3d<unsigned short> stack(width, height, depth);
        for (int z = 0; z < depth; ++z)
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    stack.slice(z)(x, y) = masks ? 0 : static_cast<unsigned short>(1000 + (7 * x + 13 * y + 3 * z) % 50);
        for (std::size_t b = 0; b < blobs.size(); ++b) {
            const Blob& blob = blobs[b];
            const double cx = blob.x + f * blob.dx, cy = blob.y + f * blob.dy, cz = blob.z + f * blob.dz;
            for (int z = 0; z < depth; ++z)
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x) {
                        const double dz = depth > 1 ? z - cz : 0;
                        if (std::hypot(x - cx, y - cy, dz) <= blob.radius)
                            stack.slice(z)(x, y) = static_cast<unsigned short>(masks ? b + 1 : 3000 + (5 * x + 3 * y) % 50);
                    }
        }
        char name[32];
        std::snprintf(name, sizeof name, "t%03d.tif", f);
        const std::string path = (folder / name).string();
        if (depth > 1) ipc::write_greyscale_tiff_stack(path, stack);
        else ipc::write_greyscale_tiff(path, stack.slice(0));
    }
}

// Three discs of radius 5 crossing a 64 x 64 image, one pixel per frame.
inline std::vector<Blob> three_discs() {
    return {{12, 12, 0, 1, 0, 0, 5}, {40, 20, 0, 0, 1, 0, 5}, {20, 45, 0, 1, -0.5, 0, 5}};
}

inline std::string tool(const std::string& name) { return std::string(OSTREL_BINARY_DIR) + "/" + name; }

// Runs a tool in folder with a trash of its own there.
inline test_support::CommandResult run_tool(const std::string& folder, const std::string& name,
                                            const std::string& arguments) {
    return test_support::run_command("XDG_DATA_HOME='" + folder + "/data' " + tool(name) + " " + arguments, folder);
}

// One measure of ostrel-eval TRUTH RESULT ("TRA", "DET", ...); NaN when
// the result is invalid or the measure is not printed.
inline double evaluate(const std::string& folder, const std::string& truth, const std::string& result,
                       const std::string& measure) {
    const auto run = run_tool(folder, "ostrel-eval", "'" + truth + "' '" + result + "'");
    const std::string key = "\n" + measure + " ";
    const std::size_t at = ("\n" + run.out).find(key);
    if (run.status != 0 || at == std::string::npos) return std::nan("");
    return std::stod(run.out.substr(at + measure.size()));
}

// Every regular file of a folder with its bytes, by name.
inline std::vector<std::pair<std::string, std::string>> folder_contents(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.emplace_back(entry.path().filename().string(), test_support::slurp(entry.path().string()));
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace cells_test

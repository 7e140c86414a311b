// ostrel-cells: tracks a folder of cell images (or a folder of such folders)
// with a configuration derived from the images (see ostrel-cells --help).
#include "app/cells/cells_command.h"
#include "util/heap_reuse.h"

int main(int argc, char** argv) {
    util::reuse_freed_images();
    return cells::run_cells(argc, argv);
}

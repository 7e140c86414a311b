// ostrel-cells: tracks a folder of cell images (or a folder of such folders)
// with a configuration derived from the images (see ostrel-cells --help).
#include "app/cells/cells_command.h"

int main(int argc, char** argv) { return cells::run_cells(argc, argv); }

#include "app/run.h"
#include "util/heap_reuse.h"

int main(int argc, char** argv) {
    util::reuse_freed_images();
    return app::run(argc, argv);
}

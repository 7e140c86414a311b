// ostrel-scramble IN OUT: writes the scrambled form of a plain configuration,
// which ostrel reads when the file name does not end in "xml".
#include <fstream>
#include <iostream>
#include <iterator>

#include "app/scramble.h"
#include "util/exception.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: " << argv[0] << " IN OUT\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw util::Exception(std::string("unable to open file: ") + argv[1]);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string bytes = app::scramble(text);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << bytes;
        out.close();
        if (!out) throw util::Exception(std::string("unable to write ") + argv[2]);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}

// Writes a program compressed as one zlib stream at the best compression (header 0x78 0xDA): the payload
// the desktop program carries and writes out as its decompiler.
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_decom <program> <payload>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string program{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "make_decom: cannot read %s\n", argv[1]);
        return 1;
    }
    uLongf size = compressBound(static_cast<uLong>(program.size()));
    std::vector<Bytef> packed(size);
    if (program.empty() ||
        compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(program.data()),
            static_cast<uLong>(program.size()), Z_BEST_COMPRESSION) != Z_OK) {
        std::fprintf(stderr, "make_decom: cannot compress %s\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(size));
    if (!out.flush()) {
        std::fprintf(stderr, "make_decom: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

#include "support/OrderGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// Writes a generated order of the given number of persons to standard output, one line each, in
// Windows-1250: the input of the memory round of the real program (scripts/memory-round.sh).
int main(int argc, char** argv) {
    if (argc != 2 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: %s <persons>\n", argv[0]);
        return 2;
    }
    for (const std::string& line : GenerateOrder(std::atoi(argv[1]), 1).lines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

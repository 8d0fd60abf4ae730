// ostrel: the host application with its simulated Corvex device.
#include <exception>
#include <iostream>

#include "host/ostrel/command_line.h"

int main(int argc, char** argv) {
    try {
        return Ostrel::RunOstrel(argc - 1, argv + 1, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "ostrel: " << error.what() << "\n";
        return 1;
    }
}

// ostrel: the host application with its simulated Corvex device.
#include <exception>
#include <iostream>
#include <string_view>

#include "host/ostrel/command_line.h"
#include "host/preview/reports/plot_report.h"

int main(int argc, char** argv) {
    try {
        const int code = ostrel::RunOstrel(argc - 1, argv + 1, std::cout, std::cerr);
        // A preview may have drawn a picture: free what the drawing library keeps for the
        // process, so that a leak checker sees only ostrel's own memory.
        if (argc > 1 && std::string_view(argv[1]) == "preview")
            preview::ReleasePlotCaches();
        return code;
    } catch (const std::exception& error) {
        std::cerr << "ostrel: " << error.what() << "\n";
        return 1;
    }
}

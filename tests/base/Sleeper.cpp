// Stands in for a program that never ends: appends its process id to the file named first, starts the
// program named second (a copy of itself, say) with that file as it would be started by a tool, and sleeps.
#include "base/Process.h"

#include <chrono>
#include <fstream>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::ofstream(argv[1], std::ios::app) << base::currentProcessId() << std::endl;
    std::thread child;
    if (argc > 2)
        child = std::thread([argv] {
            base::runProgramAndWait({argv[2], {argv[2], argv[1]}, {}, base::processEnvironment(), {}});
        });
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

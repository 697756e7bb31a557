// The PLC simulator as a program: prints the pseudo-terminal that the
// workbench or a test opens as its port and answers the PLC protocol on it
// until standard input closes.
//
//   plcsim [--station N] [--run] [--password TEXT --level N]

#include "CPlcSimulator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    CPlcSimulator simulator;
    std::string password;
    int level = CPlcSimulator::LevelFull;
    for (int i = 1; i < argc; ++i) {
        bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--station") == 0 && hasValue)
            simulator.SetStation(static_cast<BYTE>(std::atoi(argv[++i])));
        else if (std::strcmp(argv[i], "--run") == 0)
            simulator.SetRunning(true);
        else if (std::strcmp(argv[i], "--password") == 0 && hasValue)
            password = argv[++i];
        else if (std::strcmp(argv[i], "--level") == 0 && hasValue)
            level = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: %s [--station N] [--run] [--password TEXT --level N]\n", argv[0]);
            return 2;
        }
    }
    simulator.SetPassword(password, static_cast<BYTE>(level));
    if (!simulator.Start()) {
        std::fprintf(stderr, "plcsim: no pseudo-terminal available\n");
        return 1;
    }
    std::printf("%s\n", simulator.SlavePath().c_str());
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    simulator.Stop();
    return 0;
}

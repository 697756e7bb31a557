// The PLC simulator as a program: prints the pseudo-terminal that the
// workbench or a test opens as its port and answers the PLC protocol on it
// until standard input closes. It reports the CPU given with --cpu, a model
// of the module catalogue such as VB14-24DT, by default VB16-40AR.
//
//   plcsim [--cpu MODEL] [--station N] [--run] [--password TEXT --level N]

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
    std::string cpu = PLCSIM_DEFAULT_CPU;
    for (int i = 1; i < argc; ++i) {
        bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--cpu") == 0 && hasValue)
            cpu = argv[++i];
        else if (std::strcmp(argv[i], "--station") == 0 && hasValue)
            simulator.SetStation(static_cast<BYTE>(std::atoi(argv[++i])));
        else if (std::strcmp(argv[i], "--run") == 0)
            simulator.SetRunning(true);
        else if (std::strcmp(argv[i], "--password") == 0 && hasValue)
            password = argv[++i];
        else if (std::strcmp(argv[i], "--level") == 0 && hasValue)
            level = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: %s [--cpu MODEL] [--station N] [--run] [--password TEXT --level N]\n",
                         argv[0]);
            return 2;
        }
    }
    PlcSimIdentity identity;
    if (!PlcSimIdentityOfCpu(cpu, identity)) {
        std::fprintf(stderr, "plcsim: %s is not a CPU of the module catalogue\n", cpu.c_str());
        return 2;
    }
    simulator.SetIdentity(identity);
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

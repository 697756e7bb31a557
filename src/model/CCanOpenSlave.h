#pragma once
// One of the 126 CANopen slave slots of the project (slot s is node s + 1);
// a slot is in use when it names a slave type of the library.

#include "CCanOpenPdo.h"
#include "platform/WinTypes.h"

#include <string>

constexpr int CANOPEN_SLAVES = 126;
constexpr int CANOPEN_PDOS = 8;

struct CCanOpenSlave {
    int Node = 0;
    std::string Name;
    int Type = 0;
    int Watch = 1;
    int ErrHandel = 1;
    int NodeTime = 1000;
    int HeartTime = 500;
    int LifeGene = 3;
    int HeartOverTime = 600;
    WORD BootProg = 0xFFFF;
    int Valid = 1;
    CCanOpenPdo RPDO[CANOPEN_PDOS];
    CCanOpenPdo TPDO[CANOPEN_PDOS];
};

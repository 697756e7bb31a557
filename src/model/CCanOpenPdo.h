#pragma once
// One receive or transmit PDO of a CANopen slave: its communication
// parameters and its 64 mapping rows.

#include "CCanOpenPdoRows.h"

struct CCanOpenPdo {
    int CommType = 255;
    int EventTime = 10;       // key "254Time"
    int ForbiddenTime = 1000;
    int COB_ID = 0;
    CCanOpenPdoRows Rows;
};

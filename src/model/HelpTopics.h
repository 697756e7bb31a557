#pragma once
// The help topics: topic names (upper case, GBK where Chinese) and the
// context numbers of their help pages. Dialogs, views and the instruction
// tree open their page by topic name on F1 or their Help button.

#include "platform/WinTypes.h"

#include <string>

struct CHelpTopic {
    int id;          // the row number
    char name[20];
    int context;
};

constexpr int HELP_TOPIC_COUNT = 264;
// The context of row 0, which callers still pass when no row matches.
constexpr int HELP_DEFAULT_CONTEXT = 1;

extern const CHelpTopic g_HelpTopicTable[HELP_TOPIC_COUNT];

#pragma once
// The state of the find service: the marked hits of the editors, the
// project-wide hit list shown in the output window and the values of the
// last search. Hits are numbered from 1; record 0 is never filled.

#include "CFindTable.h"

#include <string>

struct CFindState {
    int MarkCounter = 0;
    int CurrentFileSearch = 0;
    int MarkCount = 0;
    CFindTable MarkTable;
    int DialogMode = 0;        // 0 closed, 1 Find, 2 Replace
    int FindResultMode = 0;
    int SavedResult = 0;
    int LdIgnoreMask = 0;
    int CurrentResult = 0;
    int WholeWord = 0;
    int MatchCase = 0;
    std::string SearchPOUName;
    int Direction = 0;
    int NewSearch = 0;
    CFindTable Results;
    int ResultCount = 0;
    std::string CurrentPOUName;
    int CurrentNetwork = 0;
    std::string LastFindText;
    int MarksShown = 0;

    // Records 1 .. FIND_TABLE_SIZE-1 of the result table become free.
    void ResetResultTable(int action = 1);
    // Records 1 .. FIND_TABLE_SIZE-1 of the mark table become free.
    void ResetMarkTable();
};

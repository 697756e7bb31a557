#pragma once
// A ladder insert target for tests: records every step as text; the
// insertions place what they are given unless told to refuse, and keep the
// placed elements.

#include "ladder/CLDElement.h"
#include "ladder/ILDInsertTarget.h"

#include <memory>
#include <string>
#include <vector>

class CRecordingInsertTarget : public ILDInsertTarget {
public:
    CLDElement* GetSelection() const override { return selection; }
    void CommitOperandEdit() override { calls.push_back("Commit"); }
    BOOL HasDocument() const override { return hasDocument; }
    BOOL CheckWidth() override { return widthAllows; }
    BOOL AppendSeries(CLDElement* element) override { return Place("AppendSeries", element); }
    BOOL AddParallelCoil(CLDElement* coil) override { return Place("AddParallelCoil", coil); }
    BOOL InsertBlock(CLDElement* block) override { return Place("InsertBlock", block); }
    void FinishInsertion(CLDElement* element) override
    {
        calls.push_back("Finish");
        finished.reset(element);
    }
    void SetFocus() override { calls.push_back("Focus"); }
    std::string GetPOUName() const override { return pouName; }
    void ShowNote(const std::string& text, UINT type) override
    {
        calls.push_back("Note:" + text);
        noteType = type;
    }

    CLDElement* selection = nullptr;
    BOOL hasDocument = TRUE;
    BOOL widthAllows = TRUE;
    BOOL places = TRUE;
    std::string pouName = "MAIN";
    std::vector<std::string> calls;
    std::unique_ptr<CLDElement> finished;
    UINT noteType = 0;

private:
    BOOL Place(const char* what, CLDElement*)
    {
        calls.push_back(what);
        return places;
    }
};

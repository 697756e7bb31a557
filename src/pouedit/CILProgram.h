#pragma once
// The program model of an instruction-list POU: its text lines, their file
// and snapshot forms, the network header lines and their numbering, the
// save preparation and the FB instances recorded for Discard.

#include "CILMonitorList.h"
#include "CPOUProgram.h"
#include "model/CILLineParser.h"
#include "model/ILVocabulary.h"

#include <memory>
#include <string>
#include <vector>

class CILEditor;
class IPOUEditorHost;

class CILProgram : public CPOUProgram {
public:
    CILProgram(CZULAppData& app, IPOUEditorHost* host);
    ~CILProgram() override;

    void Serialize(CArchive& ar, BOOL toFile) override;
    void Clear() override;
    BOOL InitNew() override;
    // Makes line 0 the header of network 0: a header there is renumbered,
    // anything else gets the header inserted before it.
    BOOL OnOpened(const std::string& path) override;
    void AfterSave(const std::string& path, int prepared) override;
    // Rewrites the lines into direct addresses and numbered routines; a
    // program without instructions is set aside as one blank line (result 1).
    int PrepareSave(const std::string& path) override;
    void DiscardChanges() override;
    void GetILLines(std::vector<std::string>& lines) override;
    // Row and column 1-based, as the report lines print them.
    BOOL GoToFindResult(int result, int row, int column) override;
    BOOL GoToLine(int line) override;
    BOOL IsValid() override;

    int GetLineCount() const { return static_cast<int>(m_lines.size()); }
    std::vector<std::string>& GetLines() { return m_lines; }
    const std::vector<std::string>& GetLines() const { return m_lines; }
    CILEditor& GetILEditor() const { return *m_editor; }
    IPOUEditorHost* GetHost() const { return m_host; }

    BOOL IsHeaderLine(int i) const;
    BOOL AnyHeaderInRange(int first, int last) const;
    // The number text of the first header from line n upwards.
    BOOL FindHeaderAbove(int n, std::string& number) const;
    BOOL RenumberHeaderLine(std::string& line, const std::string& number) const;
    void RenumberAll();
    BOOL RenumberFrom(int i);
    // TRUE when a header was inserted below a non-empty line; an empty line
    // becomes the header itself (FALSE).
    BOOL InsertNetworkHeader(int index);
    // Replaces every comment of line i that reads as a network header by one blank.
    BOOL RemoveEmbeddedHeaders(int i);
    static BOOL IsJumpKeyword(const std::string& text);
    // One list per instruction line with the operands whose values are monitored.
    BOOL BuildMonitorLists(std::vector<std::unique_ptr<CILMonitorList>>& lists) const;

    // Records the POU's FB instances of the project as they are now.
    void RecordInstances();
    const std::vector<std::string>& GetRecordedNames() const { return m_recordedNames; }

private:
    void ReadLines(CArchive& ar);
    void WriteLines(CArchive& ar) const;
    void AddMonitorItems(CILMonitorList& list, const std::vector<std::string>& tokens, const COpcodeDef& query) const;

    CILLineParser m_parser;
    std::unique_ptr<CILEditor> m_editor;
    IPOUEditorHost* m_host;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_setAsideLines;
    std::vector<std::string> m_recordedNames;
    std::vector<std::string> m_recordedTypes;
};

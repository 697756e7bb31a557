#pragma once
// Contacts and coils on a VB16 project: the instruction catalogue, an LD
// text font of 8 x 16 pixel cells on the recording device, a POU with local
// variables, a force table, and the Find/Replace state of a current-file
// search in MAIN.

#include "LadderFixture.h"
#include "RecordingForceQuery.h"
#include "model/CLocalVarTable.h"
#include "model/CProjTreeDOC.h"
#include "model/LanguageLibrary.h"
#include "model/ProjectModified.h"
#include "platform/CArchive.h"
#include "platform/CFont.h"
#include "platform/CRecordingDC.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <algorithm>

class ElementFixture : public LadderFixture {
protected:
    void SetUp() override
    {
        LadderFixture::SetUp();
        m_app->BuildInstructionCatalog();
        LOGFONT font {};
        font.lfHeight = 16;
        CFont::SetFaceName(font, "Text");
        m_app->Fonts[1] = font;
        WriteFileText(m_folder / "MAIN.ilv", "VAR_INPUT\r\n"
                                             "    FLAG  AT  %L0.0 : BOOL ;\r\n"
                                             "END_VAR\r\n"
                                             "VAR\r\n"
                                             "    COUNT  AT  %LW2 : INT ;\r\n"
                                             "END_VAR\r\n");
        ASSERT_TRUE(m_locals.LoadVarFile(m_folder / "MAIN.ilv"));
        m_names.LocalVariables = &m_locals;
        m_names.ForceQuery = &m_force;
        AddLocal("FLAG", "%L0.0");
        AddLocal("COUNT", "%LW2");
        AddSymbol("Start", "%I0.1");
        AddSymbol("Motor", "%Q0.1");
        m_app->Find.CurrentFileSearch = 1;
        m_app->Find.CurrentPOUName = "MAIN";
        m_app->Find.CurrentNetwork = 4;
        AttachProjectDocument(&m_document);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        LadderFixture::TearDown();
    }

    std::vector<std::string> Draw(CLDElement& element, BOOL highlight = FALSE)
    {
        m_dc.ClearCalls();
        m_cells.clear();
        m_size = element.LayoutAndDraw(LD_CELL_WIDTH, LD_CELL_HEIGHT, 0, 0, "MAIN", &m_cells, &m_dc, highlight);
        return m_dc.Calls();
    }

    static bool Contains(const std::vector<std::string>& calls, const std::vector<std::string>& run)
    {
        return std::search(calls.begin(), calls.end(), run.begin(), run.end()) != calls.end();
    }

    static std::vector<BYTE> Store(CLDElement& element)
    {
        CArchive ar;
        element.Serialize(ar);
        return ar.GetBuffer();
    }

    std::vector<std::string> Report() const { return m_ui.output.Lines(2); }

    // The element a report line names, as the output window reads it back.
    static FindReportElement ReadBack(const std::string& line)
    {
        int kind = 0;
        std::string pou;
        int network = 0;
        int row = 0;
        int column = 0;
        int item = 0;
        FindReportElement element;
        EXPECT_TRUE(ParseFindReportLine(line, kind, pou, network, row, column, item, element)) << line;
        EXPECT_EQ(kind, FIND_REPORT_LD) << line;
        EXPECT_EQ(pou, "MAIN") << line;
        EXPECT_EQ(network, 4) << line;
        return element;
    }

    TempFolder m_folder;
    CLocalVarTable m_locals;
    RecordingForceQuery m_force;
    CProjTreeDOC m_document;
    CRecordingDC m_dc;
    CLDPositionMap m_cells;
    CSize m_size;
};

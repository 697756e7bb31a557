#include "CLadderProgramFactory.h"

#include "CILToLDConverter.h"
#include "CLDContext.h"
#include "CLDElement.h"
#include "CLDProgram.h"
#include "model/CILLineParser.h"
#include "model/CZULAppData.h"
#include "pouedit/IPOUEditorHost.h"

namespace {
const std::string LINE_END = "\r\n";
} // namespace

std::unique_ptr<CPOUProgram> CLadderProgramFactory::CreateProgram(int language, CZULAppData& app,
                                                                  IPOUEditorHost* host)
{
    if (language != POU_LANGUAGE_LD)
        return nullptr;
    return std::make_unique<CLDProgram>(app, host);
}

std::unique_ptr<CPOUProgram> CLadderProgramFactory::ConvertILLines(const std::vector<std::string>& lines,
                                                                   CZULAppData& app, IPOUEditorHost* host)
{
    auto program = std::make_unique<CLDProgram>(app, host);
    if (!program->ConvertFromIL(lines))
        return nullptr;
    if (host && host->HasDocument())
        program->SetName(host->GetPOUName());
    program->PushUndoSnapshot();
    return program;
}

BOOL CLadderProgramFactory::ConvertILToNetworks(const std::string& text, const int* perNetwork, CZULAppData& app)
{
    app.ClearLDClipboard();
    std::vector<std::string> lines;
    CILLineParser().SplitAtDelimiter(text, LINE_END, lines);
    std::vector<int> values;
    if (perNetwork)
        values.assign(perNetwork, perNetwork + LD_PASTE_VALUE_COUNT);
    const CLDContext context(app);
    CILToLDConverter converter(context);
    converter.SetPasteMode(&values);
    std::string errorText;
    if (!converter.Parse(lines, &errorText))
        return FALSE;
    app.PastingIL = 1;
    const BOOL built = converter.Build();
    app.PastingIL = 0;
    if (!built)
        return TRUE;
    for (LDItemPtr& item : converter.TakeResults())
        app.LDClipboard.emplace_back(item.release());
    return TRUE;
}

void RegisterLadderProgramFactory(CZULAppData& app)
{
    // The factory holds no state: one instance serves every application object.
    static CLadderProgramFactory factory;
    app.ProgramFactory = &factory;
}

#include "CLDContext.h"

#include "model/CZULAppData.h"

CLDContext::CLDContext(CZULAppData& app)
    : m_app(app)
{
}

const CInstructionDef* CLDContext::FindInstruction(const std::string& name) const
{
    const auto row = m_app.InstructionCatalog.find(name);
    return row == m_app.InstructionCatalog.end() ? nullptr : row->second;
}

BOOL CLDContext::LookupFunction(const std::string& name, CZULFunc& function) const
{
    return m_app.LookupFunction(name, function) ? TRUE : FALSE;
}

BOOL CLDContext::LookupFunctionBlock(const std::string& type, CZULFB& block) const
{
    return m_app.LookupFunctionBlock(type, block) ? TRUE : FALSE;
}

CPOURegistry& CLDContext::POUs() const
{
    return m_app.Project.POUs;
}

BOOL CLDContext::FindGlobalSymbol(const std::string& text, CZULSymbol*& symbol) const
{
    return m_app.FindGlobalSymbol(text, symbol);
}

BOOL CLDContext::IsPastingIL() const
{
    return m_app.PastingIL ? TRUE : FALSE;
}

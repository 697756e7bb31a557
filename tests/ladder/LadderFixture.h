#pragma once
// A fresh VB16 application data object for ladder tests, the ladder
// context over it, and the label list and local maps of one LD program.

#include "TreeBuilder.h"
#include "ladder/CLDContext.h"
#include "ladder/CLDNameTables.h"
#include "model/AppDataFixture.h"
#include "model/CZULSymbol.h"

constexpr int LADDER_TEST_FAMILY = 2; // VB16

class LadderFixture : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(LADDER_TEST_FAMILY);
        m_app->ApplyFamilyProfile();
        m_app->SymbolicAddressing = 0;
        m_context = std::make_unique<CLDContext>(*m_app);
        m_names.Context = m_context.get();
    }

    CZULProject& Project() { return m_app->Project; }

    void AddSymbol(const std::string& name, const std::string& address)
    {
        auto* symbol = new CZULSymbol;
        symbol->name = name;
        symbol->address = address;
        Project().AddSymbol(symbol);
    }

    void AddLocal(const std::string& name, const std::string& address)
    {
        m_names.LocalAddressToSymbol[address] = name;
        m_names.LocalSymbolToAddress[name] = address;
    }

    std::vector<std::string> InstancesOfMain() const
    {
        std::vector<std::string> names;
        std::vector<std::string> types;
        m_app->Project.FBTable.GetFBInstancesOfPOU("MAIN", names, types);
        return names;
    }

    std::unique_ptr<CLDContext> m_context;
    CLDNameTables m_names;
};

#include "ForceOperand.h"

#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "platform/ByteString.h"

void ResolveForceOperand(const CZULAppData& app, const IPOUEditorHost* host, const std::string& operand,
                         std::string& symbol, std::string& address)
{
    CZULSymbol* global = nullptr;
    if (app.FindGlobalSymbol(operand, global) && global) {
        symbol = global->name;
        address = global->address;
        return;
    }
    if (host && host->FindLocalAddress(ByteString::Upper(operand), address)) {
        symbol = operand;
        return;
    }
    symbol.clear();
    address = operand;
}

void ForceOrUnforceOperand(const CZULAppData& app, IPOUEditorHost& host, const std::string& operand, int value)
{
    std::string symbol;
    std::string address;
    ResolveForceOperand(app, &host, operand, symbol, address);
    if (value == UNFORCE_VALUE)
        host.UnforceAddress(address);
    else
        host.ForceAddress(address, value);
}

void RunForceDialogOn(const CZULAppData& app, IPOUEditorHost& host, const std::string& operand)
{
    std::string symbol;
    std::string address;
    ResolveForceOperand(app, &host, operand, symbol, address);
    host.RunForceDialog(symbol, address);
    host.SetFocus();
}

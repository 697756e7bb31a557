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

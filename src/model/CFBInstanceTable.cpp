#include "CFBInstanceTable.h"

#include "DirectAddress.h"
#include "platform/ByteString.h"

#include <algorithm>

namespace {

std::string UpperTrimmed(const std::string& text)
{
    return ByteString::Upper(ByteString::Trim(text));
}

bool SameInstance(const CZULFB* a, const CZULFB* b)
{
    return a && b && a->typeName == b->typeName && a->instanceName == b->instanceName && a->ownerPou == b->ownerPou;
}

} // namespace

BOOL CFBInstanceTable::AddFBInstance(const std::string& instanceName, const std::string& fbType,
                                     const std::string& ownerPou, int list)
{
    const std::string type = UpperTrimmed(fbType);
    const std::string instance = UpperTrimmed(instanceName);
    const std::string owner = UpperTrimmed(ownerPou);
    if (type.empty() || instance.empty() || owner.empty() || !IsValidFBInstanceName(instance, type))
        return FALSE;
    auto& table = list == FB_LIST_SCAN ? FBScanBuffer : FBInstances;
    for (const auto& entry : table) {
        if (entry && entry->instanceName == instance)
            return FALSE;
    }
    auto entry = std::make_unique<CZULFB>();
    entry->typeName = type;
    entry->instanceName = instance;
    entry->ownerPou = owner;
    table.push_back(std::move(entry));
    return TRUE;
}

BOOL CFBInstanceTable::GetFBInstancesOfPOU(const std::string& pouName, std::vector<std::string>& names,
                                           std::vector<std::string>& types) const
{
    names.clear();
    types.clear();
    const std::string owner = UpperTrimmed(pouName);
    for (const auto& entry : FBInstances) {
        if (entry && entry->ownerPou == owner) {
            names.push_back(entry->instanceName);
            types.push_back(entry->typeName);
        }
    }
    return names.empty() ? FALSE : TRUE;
}

void CFBInstanceTable::RemoveFBInstance(const std::string& instanceName)
{
    const std::string instance = UpperTrimmed(instanceName);
    const auto found = std::find_if(FBInstances.begin(), FBInstances.end(),
                                    [&instance](const auto& entry) { return entry && entry->instanceName == instance; });
    if (found == FBInstances.end())
        return;
    FBInstances.erase(found);
}

void CFBInstanceTable::RemoveFBInstancesOfPOU(const std::string& pouName)
{
    const std::string owner = UpperTrimmed(pouName);
    std::erase_if(FBInstances, [&owner](const std::unique_ptr<CZULFB>& entry) {
        return !entry || entry->ownerPou == owner;
    });
}

BOOL CFBInstanceTable::RenameFBInstance(const std::string& oldName, const std::string& newName)
{
    const std::string from = UpperTrimmed(oldName);
    const std::string to = UpperTrimmed(newName);
    if (from.empty() || to.empty())
        return FALSE;
    if (from == to)
        return TRUE;
    if (!IsFBInstanceName(to))
        return FALSE;
    CZULFB* last = nullptr;
    for (const auto& owned : FBInstances) {
        CZULFB* entry = owned.get();
        if (!entry)
            continue;
        if (entry->instanceName == to)
            return FALSE;
        if (entry->instanceName == from)
            last = entry;
    }
    if (!last)
        return FALSE;
    last->instanceName = to;
    return TRUE;
}

void CFBInstanceTable::RenameOwner(const std::string& oldName, const std::string& newName)
{
    const std::string from = UpperTrimmed(oldName);
    const std::string to = UpperTrimmed(newName);
    std::erase(FBInstances, nullptr);
    for (const auto& entry : FBInstances) {
        if (entry->ownerPou == from)
            entry->ownerPou = to;
    }
}

BOOL CFBInstanceTable::ScanMatchesTable() const
{
    if (FBInstances.size() != FBScanBuffer.size())
        return FALSE;
    for (const auto& entry : FBScanBuffer) {
        const auto same = [&entry](const std::unique_ptr<CZULFB>& t) { return SameInstance(t.get(), entry.get()); };
        if (std::none_of(FBInstances.begin(), FBInstances.end(), same))
            return FALSE;
    }
    return TRUE;
}

void CFBInstanceTable::TakeScannedInstances()
{
    FBInstances.clear();
    for (const auto& scanned : FBScanBuffer) {
        auto entry = std::make_unique<CZULFB>();
        entry->typeName = scanned->typeName;
        entry->instanceName = scanned->instanceName;
        entry->ownerPou = scanned->ownerPou;
        FBInstances.push_back(std::move(entry));
    }
}

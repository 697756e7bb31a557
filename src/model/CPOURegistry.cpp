#include "CPOURegistry.h"

#include "platform/ByteString.h"

#include <cstdlib>

namespace {

std::string UpperTrimmed(const std::string& text)
{
    return ByteString::Upper(ByteString::Trim(text));
}

template <class Map>
typename Map::mapped_type Find(const Map& map, const typename Map::key_type& key)
{
    const auto found = map.find(key);
    return found == map.end() ? nullptr : found->second;
}

template <class Map, class Object>
void EraseObject(Map& map, const Object* object)
{
    std::erase_if(map, [object](const auto& entry) { return entry.second == object; });
}

// Takes a record out of every lookup map, then destroys it.
template <typename Record, typename... Maps>
void DropRecord(CRecordStore<Record>& store, const Record* record, Maps&... maps)
{
    (..., EraseObject(maps, record));
    store.Destroy(record);
}

} // namespace

std::string FormatPOUAlias(const char* prefix, int number)
{
    return ByteString::Format("%s%02d", prefix, number);
}

BOOL ParsePOUAlias(const std::string& text, const char* prefix, int& number)
{
    const std::string alias = UpperTrimmed(text);
    if (alias.size() < 3 || alias.compare(0, 3, prefix) != 0)
        return FALSE;
    const std::string digits = ByteString::Right(alias, 2);
    if (digits == "00") {
        number = 0;
        return TRUE;
    }
    const int value = std::atoi(digits.c_str());
    if ((value & 0xFFFF) == 0)
        return FALSE;
    number = value;
    return TRUE;
}

void CPOURegistry::DropSubroutineInterface(CZULFunc* function)
{
    DropRecord(m_subroutineInterfaceStore, function, SubroutineInterfaces, SubroutineInterfacesUpper,
               SubroutineInterfacesByNumber);
}

void CPOURegistry::DropInterruptNode(CProjTreeNode* node)
{
    DropRecord(m_interruptNodeStore, node, InterruptNodes, InterruptNodesUpper, InterruptNodesByNumber);
}

void CPOURegistry::AddSubroutineInterface(CZULFunc* func)
{
    m_subroutineInterfaceStore.Adopt(func);
    auto replaced = SubroutineInterfaces.find(func->name);
    if (replaced != SubroutineInterfaces.end() && replaced->second != func)
        DropSubroutineInterface(replaced->second);
    SubroutineInterfaces[func->name] = func;
    SubroutineInterfacesUpper[ByteString::Upper(func->name)] = func;
    SubroutineInterfacesByNumber[static_cast<WORD>(func->number)] = func;
}

void CPOURegistry::AddSubroutineNode(CProjTreeNode* node)
{
    m_subroutineNodeStore.Adopt(node);
    auto replaced = SubroutineNodes.find(node->name);
    if (replaced != SubroutineNodes.end() && replaced->second != node)
        m_subroutineNodeStore.Destroy(replaced->second);
    SubroutineNodes[node->name] = node;
}

void CPOURegistry::AddInterruptNode(CProjTreeNode* node)
{
    m_interruptNodeStore.Adopt(node);
    auto replaced = InterruptNodes.find(node->name);
    if (replaced != InterruptNodes.end() && replaced->second != node)
        DropInterruptNode(replaced->second);
    InterruptNodes[node->name] = node;
    InterruptNodesUpper[ByteString::Upper(node->name)] = node;
    InterruptNodesByNumber[static_cast<WORD>(node->number)] = node;
}

void CPOURegistry::ClearSubroutines()
{
    SubroutineNodes.clear();
    SubroutineInterfaces.clear();
    SubroutineInterfacesUpper.clear();
    SubroutineInterfacesByNumber.clear();
    m_subroutineNodeStore.Clear();
    m_subroutineInterfaceStore.Clear();
}

void CPOURegistry::ClearInterrupts()
{
    InterruptNodes.clear();
    InterruptNodesUpper.clear();
    InterruptNodesByNumber.clear();
    m_interruptNodeStore.Clear();
}

CProjTreeNode* CPOURegistry::FindInterruptByAlias(const std::string& text) const
{
    int number = 0;
    if (!ParsePOUAlias(text, "INT", number))
        return nullptr;
    return Find(InterruptNodesByNumber, WORD(number));
}

CZULFunc* CPOURegistry::FindSubroutineByAlias(const std::string& text) const
{
    int number = 0;
    if (!ParsePOUAlias(text, "SBR", number))
        return nullptr;
    return Find(SubroutineInterfacesByNumber, WORD(number));
}

void CPOURegistry::RegisterSubroutineInterface(CZULFunc* function)
{
    if (!function)
        return;
    CZULFunc* old = Find(SubroutineInterfacesUpper, ByteString::Upper(function->name));
    if (old && old != function)
        DropSubroutineInterface(old);
    AddSubroutineInterface(function);
}

BOOL CPOURegistry::FindSubroutineInterface(const std::string& name, CZULFunc*& function) const
{
    CZULFunc* found = Find(SubroutineInterfacesUpper, UpperTrimmed(name));
    if (!found)
        return FALSE;
    function = found;
    return TRUE;
}

int CPOURegistry::CopySubroutineInterface(const std::string& nameOrAlias, CZULFunc* destination) const
{
    if (!destination)
        return 0;
    const CZULFunc* found = Find(SubroutineInterfacesUpper, UpperTrimmed(nameOrAlias));
    if (!found)
        found = FindSubroutineByAlias(nameOrAlias);
    if (!found)
        return 0;
    *destination = *found;
    return 1;
}

int CPOURegistry::ConvertSubroutineName(const std::string& text, std::string& result, BOOL toAlias) const
{
    if (toAlias) {
        const CZULFunc* function = Find(SubroutineInterfacesUpper, UpperTrimmed(text));
        if (!function)
            return 0;
        result = FormatPOUAlias("SBR", function->number);
        return 1;
    }
    const CZULFunc* function = FindSubroutineByAlias(text);
    if (!function)
        return 0;
    result = function->name;
    return 1;
}

int CPOURegistry::ConvertInterruptName(const std::string& text, std::string& result, BOOL toAlias) const
{
    const std::string upper = UpperTrimmed(text);
    const CProjTreeNode* byName = Find(InterruptNodesUpper, upper);
    const CProjTreeNode* byAlias = FindInterruptByAlias(text);
    if (toAlias) {
        if (byName) {
            result = FormatPOUAlias("INT", byName->number);
            return 1;
        }
        if (byAlias) {
            result = upper;
            return 1;
        }
        return 0;
    }
    if (byAlias) {
        result = byAlias->name;
        return 1;
    }
    if (byName) {
        result = upper;
        return 1;
    }
    return 0;
}

int CPOURegistry::SwapInterruptName(const std::string& text, std::string& result) const
{
    if (const CProjTreeNode* node = Find(InterruptNodesUpper, UpperTrimmed(text))) {
        result = FormatPOUAlias("INT", node->number);
        return 1;
    }
    if (const CProjTreeNode* node = FindInterruptByAlias(text)) {
        result = node->name;
        return 1;
    }
    return 0;
}

BOOL CPOURegistry::ConvertPOUName(const std::string& text, std::string& result, int& isSubroutine) const
{
    if (ConvertSubroutineName(text, result, TRUE) || ConvertSubroutineName(text, result, FALSE)) {
        isSubroutine = 1;
        return TRUE;
    }
    if (SwapInterruptName(text, result)) {
        isSubroutine = 0;
        return TRUE;
    }
    return FALSE;
}

bool CPOURegistry::HasRoutine(const std::string& upperName) const
{
    return SubroutineInterfacesUpper.count(upperName) || InterruptNodesUpper.count(upperName);
}

std::string CPOURegistry::RemoveSubroutine(const std::string& name)
{
    std::string stem;
    if (CProjTreeNode* node = Find(SubroutineNodes, name)) {
        stem = ByteString::Format("SBR%02d_%s", node->number, name.c_str());
        SubroutineNodes.erase(name);
        SubroutineInterfacesByNumber.erase(WORD(node->number));
        m_subroutineNodeStore.Destroy(node);
    }
    if (CZULFunc* function = Find(SubroutineInterfaces, name))
        DropSubroutineInterface(function);
    SubroutineInterfacesUpper.erase(ByteString::Upper(name));
    return stem;
}

std::string CPOURegistry::RemoveInterrupt(const std::string& name)
{
    std::string stem;
    if (CProjTreeNode* node = Find(InterruptNodes, name)) {
        stem = ByteString::Format("INT%02d_%s", node->number, name.c_str());
        DropInterruptNode(node);
    }
    InterruptNodesUpper.erase(ByteString::Upper(name));
    return stem;
}

CProjTreeNode* CPOURegistry::RenameSubroutine(const std::string& oldName)
{
    CProjTreeNode* node = Find(SubroutineNodes, oldName);
    if (node) {
        SubroutineNodes.erase(oldName);
        SubroutineNodes[node->name] = node;
    }
    if (CZULFunc* function = Find(SubroutineInterfaces, oldName)) {
        const std::string newName = node ? node->name : function->name;
        EraseObject(SubroutineInterfaces, function);
        EraseObject(SubroutineInterfacesUpper, function);
        function->name = newName;
        SubroutineInterfaces[newName] = function;
        SubroutineInterfacesUpper[ByteString::Upper(newName)] = function;
    }
    return node;
}

CProjTreeNode* CPOURegistry::RenameInterrupt(const std::string& oldName)
{
    CProjTreeNode* node = Find(InterruptNodes, oldName);
    if (!node)
        return nullptr;
    EraseObject(InterruptNodes, node);
    EraseObject(InterruptNodesUpper, node);
    InterruptNodes[node->name] = node;
    InterruptNodesUpper[ByteString::Upper(node->name)] = node;
    return node;
}

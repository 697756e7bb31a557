#include "InsTreeRules.h"

#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/HelpTopics.h"
#include "model/OpenHelpTopic.h"

#include <cstring>

namespace {

constexpr DWORD FAMILIES_WITHOUT_CLOCK = CPU_FAMILY_VB12 | CPU_FAMILY_VA10;

struct CategoryFamilies {
    const char* name;
    DWORD offeredTo; // family bits that see the category at all
};

// Categories that only some families see.
constexpr CategoryFamilies kRestrictedCategories[] = {
    {"Clock", ~FAMILIES_WITHOUT_CLOCK},
    {"PID", ~FAMILIES_WITHOUT_CLOCK},
    {"Position Control", CPU_FAMILIES_LARGE},
    {"additional", CPU_FAMILIES_LARGE},
};

// The bit-logic statements whose names the word-logic boxes share.
constexpr const char* kSharedLogicNames[] = {"AND", "ANDN", "OR", "ORN"};
constexpr char BIT_LOGIC_CATEGORY[] = "Bit Logic";
constexpr char BOOL_TOPIC_SUFFIX[] = "_BOOL";
constexpr char CALL_TOPIC[] = "CAL";

bool IsCategoryOffered(const char* name, DWORD familyBit)
{
    if (familyBit == INSTREE_NO_PROJECT)
        return true;
    for (const CategoryFamilies& restricted : kRestrictedCategories) {
        if (std::strcmp(restricted.name, name) == 0)
            return (restricted.offeredTo & familyBit) != 0;
    }
    return true;
}

bool IsRowOffered(const CInstructionDef& row, DWORD familyBit)
{
    if (!row.visible)
        return false;
    return familyBit == INSTREE_NO_PROJECT || (row.cpuMask & familyBit) != 0;
}

} // namespace

std::vector<CInsTreeCategory> InsTreeCategories(BOOL ld, DWORD familyBit)
{
    const CInstructionDef* table = ld ? g_LDInstructionTable : g_ILInstructionTable;
    std::vector<CInsTreeCategory> categories;
    for (const CInstructionCategory& category : g_InstructionCategories) {
        if (!IsCategoryOffered(category.name, familyBit))
            continue;
        CInsTreeCategory shown {category.name, {}};
        const int first = ld ? category.ldFirst : category.ilFirst;
        const int last = ld ? category.ldLast : category.ilLast;
        for (int i = first; i <= last; ++i) {
            if (IsRowOffered(table[i], familyBit))
                shown.rows.push_back(&table[i]);
        }
        categories.push_back(std::move(shown));
    }
    return categories;
}

int InsTreeCategoryImage(BOOL ld)
{
    return ld ? INSTREE_IMAGE_LD_CATEGORY : INSTREE_IMAGE_IL_CATEGORY;
}

int InsTreeInstructionImage(BOOL ld, const CInstructionDef& row)
{
    if (row.iecFlag)
        return ld ? INSTREE_IMAGE_LD_IEC : INSTREE_IMAGE_IL_IEC;
    return ld ? INSTREE_IMAGE_LD_EXTENSION : INSTREE_IMAGE_IL_EXTENSION;
}

int InsTreeInsertWParam(bool underSubroutines, BYTE ldShown, BYTE ilShown)
{
    if (!ldShown && !ilShown)
        return -1;
    int wParam = underSubroutines ? INSERT_SUBROUTINE_CALL : 0;
    if (ldShown)
        wParam += INSERT_LD_SET;
    return wParam;
}

std::string InsTreeHelpTopic(const std::string& text, const std::string& parentText)
{
    if (parentText != BIT_LOGIC_CATEGORY)
        return text;
    for (const char* name : kSharedLogicNames) {
        if (text == name)
            return text + BOOL_TOPIC_SUFFIX;
    }
    return text;
}

void OpenInsTreeHelp(const std::string& text, const std::string& parentText)
{
    std::string topic = InsTreeHelpTopic(text, parentText);
    int context = HELP_DEFAULT_CONTEXT;
    if (!text.empty() && !CZULAppData::FindHelpContext(topic, context) && parentText == INSTREE_SUBROUTINES)
        topic = CALL_TOPIC;
    OpenHelpTopic(topic);
}

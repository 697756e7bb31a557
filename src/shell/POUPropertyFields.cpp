#include "POUPropertyFields.h"

#include "model/CProjTreeNode.h"
#include "model/CZULProject.h"
#include "platform/ByteString.h"
#include "platform/FileTimes.h"
#include "shell/POUNameRules.h"

#include <ctime>

namespace {

constexpr char DEFAULT_CAPTION[] = "POU Property";
constexpr int LANGUAGE_IL = 1;
constexpr int LANGUAGE_LD = 2;
constexpr int FIRST_YEAR = 1900;

std::string CaptionOf(const CProjTreeNode& node)
{
    if (node.kind == NODE_MAIN)
        return " Property (MAIN)";
    if (node.kind == NODE_SUBROUTINE)
        return ByteString::Format(" Property (SBR%02d)", node.number);
    if (node.kind == NODE_INTERRUPT)
        return ByteString::Format(" Property (INT%02d)", node.number);
    return DEFAULT_CAPTION;
}

std::string LanguageOf(const CProjTreeNode& node)
{
    if (node.language == LANGUAGE_IL)
        return "IL";
    if (node.language == LANGUAGE_LD)
        return "LD";
    return {};
}

} // namespace

std::string FormatPOUFileTime(long long time)
{
    const std::time_t value = static_cast<std::time_t>(time);
    std::tm local{};
    if (!localtime_r(&value, &local))
        return {};
    return ByteString::Format("%4d-%02d-%02d %02d:%02d:%02d", local.tm_year + FIRST_YEAR, local.tm_mon + 1,
                              local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

CPOUPropertyFields LoadPOUPropertyFields(const CZULProject& project, const CProjTreeNode& node)
{
    CPOUPropertyFields fields;
    fields.caption = CaptionOf(node);
    if (node.kind == NODE_SUBROUTINE || node.kind == NODE_INTERRUPT)
        fields.index = ByteString::Format("%02d", node.number);
    fields.language = LanguageOf(node);
    fields.name = node.name;
    fields.author = node.author;
    fields.comment = node.comment;
    std::string created;
    std::string modified;
    CFileTimes times;
    const std::string base = POUFileBase(node.kind, node.number, node.name);
    if (!base.empty() && !fields.language.empty() &&
        GetFileTimes(project.ProjectFolder + "/" + base + ".ilp", times)) {
        if (times.hasCreation)
            created = FormatPOUFileTime(times.creation);
        modified = FormatPOUFileTime(times.lastWrite);
    }
    fields.created = "Created: " + created;
    fields.modified = "Modified: " + modified;
    return fields;
}

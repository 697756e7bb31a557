#include "POUNameRules.h"

#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/ILVocabulary.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/Gbk.h"

#include <algorithm>

namespace {

constexpr char RESERVED_NAME[] = "SUBROUTINE";
constexpr char MESSAGE_ILLEGAL_NAME[] = "This is not a legal POU name.";
constexpr char MESSAGE_KEYWORD_IN_PLACE[] =
    "This is not a legal POU name.\r\nKeyword can not be used as a POU Name.";
constexpr char MESSAGE_KEYWORD_DIALOG[] =
    "This is not a legal POU name.\r\nKeyword can not be used as a POU name.";
constexpr char MESSAGE_TOKEN_HEAD[] = "This is not a legal POU Name. \r\nThe following illegal charater is included: '";
constexpr char MESSAGE_TOKEN_TAIL[] = "' .  ";
constexpr char MESSAGE_DUPLICATE[] = "A duplicate POU name existes.";
constexpr char MESSAGE_PATH_TOO_LONG[] = "Unable to rename file because the file name or path is too long.";
constexpr char MESSAGE_FILE_EXISTS[] = "Unable to rename file because a file of the new name already exists.";
constexpr char MESSAGE_MOVE_FAILED[] = "Unable to rename the files of the POU. The POU keeps its name.";

// Whether the token occurs at the start of a character, not inside a double-byte one.
bool ContainsToken(const std::string& text, const std::string& token)
{
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + 1)) {
        if (!GbkIsTrailAt(text, at))
            return true;
    }
    return false;
}

// The first separator token, in table order, that the name contains; null when none.
const char* FindSeparatorToken(const std::string& name)
{
    for (const CSeparatorDef& separator : g_SeparatorTable) {
        if (ContainsToken(name, separator.text))
            return separator.text;
    }
    return nullptr;
}

bool TakenByRoutine(const CZULProject& project, const std::string& upper)
{
    return project.POUs.HasRoutine(upper);
}

bool IsDuplicate(const CZULProject& project, const CProjTreeNode& node, const std::string& name)
{
    const std::string upper = ByteString::Upper(name);
    if (TakenByRoutine(project, upper))
        return true;
    if (node.kind == NODE_MAIN)
        return false;
    // MAIN's name is compared without regard to case in both forms, as the
    // maps compare every other POU name.
    return ByteString::EqualsNoCase(name, project.MainNode.name);
}

bool IsUnchanged(const CProjTreeNode& node, const std::string& name, POUNameForm form)
{
    if (form == POUNameForm::InPlace)
        return ByteString::EqualsNoCase(name, node.name);
    return name == node.name;
}

} // namespace

POUNameResult CheckPOUName(const CZULProject& project, const CProjTreeNode& node, std::string& name,
                           POUNameForm form, std::string& message)
{
    message.clear();
    name = ByteString::Trim(name);
    if (name.empty()) {
        if (form == POUNameForm::Dialog)
            message = MESSAGE_ILLEGAL_NAME;
        return POU_NAME_EMPTY;
    }
    if (IsUnchanged(node, name, form))
        return POU_NAME_UNCHANGED;
    const std::string upper = ByteString::Upper(name);
    if (upper == RESERVED_NAME || IsReservedWord(name)) {
        message = form == POUNameForm::InPlace ? MESSAGE_KEYWORD_IN_PLACE : MESSAGE_KEYWORD_DIALOG;
        return POU_NAME_KEYWORD;
    }
    if (const char* token = FindSeparatorToken(form == POUNameForm::InPlace ? name : upper)) {
        message = ByteString::Format("%s%s%s", MESSAGE_TOKEN_HEAD, token, MESSAGE_TOKEN_TAIL);
        return POU_NAME_ILLEGAL_TOKEN;
    }
    if (IsDuplicate(project, node, name)) {
        message = MESSAGE_DUPLICATE;
        return POU_NAME_DUPLICATE;
    }
    return POU_NAME_OK;
}

std::string POULabel(int kind, int number, const std::string& name)
{
    if (kind == NODE_MAIN)
        return "(MAIN)  " + name;
    if (kind == NODE_SUBROUTINE)
        return ByteString::Format("(SBR%02d)  ", number) + name;
    if (kind == NODE_INTERRUPT)
        return ByteString::Format("(INT%02d)  ", number) + name;
    return {};
}

std::string POUFileBase(int kind, int number, const std::string& name)
{
    if (kind == NODE_MAIN)
        return "MAIN_" + name;
    if (kind == NODE_SUBROUTINE)
        return ByteString::Format("SBR%02d_", number) + name;
    if (kind == NODE_INTERRUPT)
        return ByteString::Format("INT%02d_", number) + name;
    return {};
}

BOOL CheckPOUPathLength(CZULAppData& app, const std::string& label)
{
    const int length = static_cast<int>(app.Project.ProjectFolder.size() + 1 + label.size());
    app.LongestPOUPathLength = std::max(app.LongestPOUPathLength, length);
    return length <= POU_PATH_LIMIT ? TRUE : FALSE;
}

void ReportPOUNameResult(POUNameResult result, const std::string& message)
{
    if (result == POU_NAME_PATH_TOO_LONG) {
        ShowMessage(POU_NAME_ERROR_CAPTION, MESSAGE_PATH_TOO_LONG, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (result == POU_NAME_FILE_EXISTS || result == POU_NAME_MOVE_FAILED) {
        ShowMessage(POU_NAME_ERROR_CAPTION, result == POU_NAME_FILE_EXISTS ? MESSAGE_FILE_EXISTS : MESSAGE_MOVE_FAILED,
                    MB_OK | MB_ICONSTOP);
        return;
    }
    if (!message.empty())
        ShowMessage(POU_NAME_ERROR_CAPTION, message, MB_OK | MB_ICONSTOP);
}

#include "ProjTreeRules.h"

#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "model/CpuProfile.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "shell/POUNameRules.h"

#include <cstring>

namespace {

constexpr int IMAGE_BY_LANGUAGE = -1;
constexpr UINT NO_MENU = 0;
constexpr int LANGUAGE_IL = 1;
constexpr int LANGUAGE_LD = 2;

const CProjTreeKindDef KIND_TABLE[] = {
    {NODE_PROJECT, PROJTREE_IMAGE_PROJECT, IDR_PROJTREE_PROJECT},
    {NODE_PROGRAM, PROJTREE_IMAGE_PROGRAM, IDR_PROJTREE_PROGRAM},
    {NODE_INITIAL_DATA, PROJTREE_IMAGE_INITIAL_DATA, IDR_PROJTREE_INITIAL_DATA},
    {NODE_HARDWARE, PROJTREE_IMAGE_HARDWARE, IDR_PROJTREE_HARDWARE},
    {NODE_GLOBAL_VARIABLES, PROJTREE_IMAGE_GLOBAL_VARIABLES, IDR_PROJTREE_GLOBAL_VARIABLES},
    {NODE_STATUS_CHART, PROJTREE_IMAGE_STATUS_CHART, IDR_PROJTREE_STATUS_CHART},
    {NODE_COMMUNICATIONS, PROJTREE_IMAGE_COMMUNICATIONS, IDR_PROJTREE_COMMUNICATIONS},
    {NODE_MAIN, PROJTREE_IMAGE_MAIN, IDR_PROJTREE_MAIN},
    {NODE_SUBROUTINE, IMAGE_BY_LANGUAGE, IDR_PROJTREE_ROUTINE},
    {NODE_INTERRUPT, IMAGE_BY_LANGUAGE, IDR_PROJTREE_ROUTINE},
};

constexpr char MAIN_NAME[] = "MAIN";
constexpr char SUBROUTINE_NAME_PREFIX[] = "SBR_";
constexpr char INTERRUPT_NAME_PREFIX[] = "INT_";
constexpr char PID_NAME_PREFIX[] = "PID_";
constexpr char PROGRAM_EXTENSION[] = ".ilp";
constexpr char VARIABLE_EXTENSION[] = ".ilv";
constexpr char MODIFIED_MARK[] = "*";

constexpr char ERROR_CAPTION[] = "Error";
constexpr char MESSAGE_SUBROUTINE_LIMIT[] =
    "The number of subroutines reaches the upper limit.\r\nThe application supports %d subroutines at most.";
constexpr char MESSAGE_INTERRUPT_LIMIT[] =
    "The number of interrupt routines reaches the upper limit.\r\nThe application supports %d interrupt "
    "subroutines at most.";
constexpr char MESSAGE_CREATE_PATH_TOO_LONG[] = "Unable to create file because the file name or path is too long.";
constexpr char MESSAGE_OPEN_PATH_TOO_LONG[] = "Unable to open file because the file name or path is too long.";

// A new POU's file names add this much to its name: "SBRnn_" and ".ilp".
constexpr int NEW_POU_FILE_EXTRA = 9;

// The topics of items that stand for the program or the project.
struct CHelpTopicRule {
    const char* prefix;
    const char* topic;
};
const CHelpTopicRule HELP_TOPIC_RULES[] = {
    {"(MAIN", "chengxu"},
    {"(INT", "chengxu"},
    {"(SBR", "chengxu"},
    {"PROGRAM", "chengxu"},
    {"Project: ", "gongcheng"},
};

template <class Map>
int LowestFreeNumber(const Map& byNumber, int limit)
{
    for (int number = 0; number < limit; ++number) {
        if (byNumber.find(static_cast<WORD>(number)) == byNumber.end())
            return number;
    }
    return -1;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string POUPathBase(const CZULProject& project, const CProjTreeNode& node)
{
    const std::string base = POUFileBase(node.kind, node.number, node.name);
    if (base.empty())
        return {};
    return FileSystem::JoinPath(project.ProjectFolder, base);
}

BOOL CheckOnePOUPath(CZULAppData& app, const CProjTreeNode& node)
{
    if (CheckPOUPathLength(app, node.label))
        return TRUE;
    ShowMessage(ERROR_CAPTION, MESSAGE_OPEN_PATH_TOO_LONG, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

} // namespace

const CProjTreeKindDef* FindProjTreeKind(int kind)
{
    for (const CProjTreeKindDef& def : KIND_TABLE) {
        if (def.kind == kind)
            return &def;
    }
    return nullptr;
}

int POUImage(int kind, int language)
{
    if (kind == NODE_MAIN)
        return PROJTREE_IMAGE_MAIN;
    return language == LANGUAGE_IL ? PROJTREE_IMAGE_IL_POU : PROJTREE_IMAGE_LD_POU;
}

NewPOUResult PlanNewPOU(const CZULAppData& app, int type, CNewPOUPlan& plan, std::string& message)
{
    plan = CNewPOUPlan();
    message.clear();
    if (type == NEW_POU_MAIN) {
        plan.kind = NODE_MAIN;
        plan.name = MAIN_NAME;
    } else if (type == NEW_POU_SUBROUTINE) {
        plan.kind = NODE_SUBROUTINE;
        plan.number = LowestFreeNumber(app.Project.POUs.SubroutineInterfacesByNumber, MaxSubroutineNumber);
        if (plan.number < 0) {
            message = ByteString::Format(MESSAGE_SUBROUTINE_LIMIT, MaxSubroutineNumber);
            return NEW_POU_NO_NUMBER;
        }
        plan.name = SUBROUTINE_NAME_PREFIX + std::to_string(plan.number);
        if (app.PIDGenerateMode != 0) {
            plan.number = app.PIDSubroutineBase + app.CurrentPIDLoop;
            plan.name = PID_NAME_PREFIX + std::to_string(app.CurrentPIDLoop);
        }
    } else if (type == NEW_POU_INTERRUPT) {
        plan.kind = NODE_INTERRUPT;
        plan.number = LowestFreeNumber(app.Project.POUs.InterruptNodesByNumber, MaxInterruptNumber);
        if (plan.number < 0) {
            message = ByteString::Format(MESSAGE_INTERRUPT_LIMIT, MaxInterruptNumber);
            return NEW_POU_NO_NUMBER;
        }
        plan.name = INTERRUPT_NAME_PREFIX + std::to_string(plan.number);
    } else {
        return NEW_POU_NO_NUMBER;
    }
    plan.label = POULabel(plan.kind, plan.number, plan.name);
    plan.base = POUFileBase(plan.kind, plan.number, plan.name);
    if (plan.kind == NODE_MAIN)
        return NEW_POU_OK;
    const size_t length = app.Project.ProjectFolder.size() + 1 + plan.name.size() + NEW_POU_FILE_EXTRA;
    if (length > static_cast<size_t>(POU_PATH_LIMIT)) {
        message = MESSAGE_CREATE_PATH_TOO_LONG;
        return NEW_POU_PATH_TOO_LONG;
    }
    return NEW_POU_OK;
}

void ReportNewPOUResult(NewPOUResult result, const std::string& message)
{
    if (result == NEW_POU_NO_NUMBER && !message.empty())
        ShowMessage(PROJTREE_NOTE_CAPTION, message, MB_OK | MB_ICONINFORMATION);
    else if (result == NEW_POU_PATH_TOO_LONG)
        ShowMessage(ERROR_CAPTION, message, MB_OK | MB_ICONSTOP);
}

CProjTreeNode* RegisterNewPOU(CZULProject& project, const CNewPOUPlan& plan, int language)
{
    CProjTreeNode* node = nullptr;
    if (plan.kind == NODE_MAIN) {
        project.MainPresent = 1;
        node = &project.MainNode;
    } else {
        node = new CProjTreeNode;
    }
    node->kind = plan.kind;
    node->name = plan.name;
    node->label = plan.label;
    node->number = plan.number;
    node->language = language;
    node->author.clear();
    node->comment.clear();
    if (plan.kind == NODE_SUBROUTINE) {
        project.POUs.AddSubroutineNode(node);
        auto* function = new CZULFunc;
        function->SetName(plan.name);
        function->SetNumber(plan.number);
        project.POUs.RegisterSubroutineInterface(function);
    } else if (plan.kind == NODE_INTERRUPT) {
        project.POUs.AddInterruptNode(node);
    }
    return node;
}

BOOL CheckProjectPOUPaths(CZULAppData& app)
{
    const CZULProject& project = app.Project;
    if (project.MainPresent && !CheckOnePOUPath(app, project.MainNode))
        return FALSE;
    for (const auto& [name, node] : project.POUs.SubroutineNodes) {
        if (!CheckOnePOUPath(app, *node))
            return FALSE;
    }
    for (const auto& [name, node] : project.POUs.InterruptNodes) {
        if (!CheckOnePOUPath(app, *node))
            return FALSE;
    }
    return TRUE;
}

int ComparePOUNodes(const CProjTreeNode* a, const CProjTreeNode* b)
{
    const auto rank = [](const CProjTreeNode* node) {
        if (node && node->kind == NODE_INITIAL_DATA)
            return 0;
        if (node && node->kind == NODE_MAIN)
            return 1;
        return 2;
    };
    if (rank(a) != rank(b))
        return rank(a) - rank(b);
    if (rank(a) < 2 || !a || !b)
        return 0;
    // std::string compares its bytes as unsigned characters.
    return a->label.compare(b->label);
}

std::string POUProgramFilePath(const CZULProject& project, const CProjTreeNode& node)
{
    std::string path = POUPathBase(project, node);
    if (!path.empty() && (node.language == LANGUAGE_IL || node.language == LANGUAGE_LD))
        path += PROGRAM_EXTENSION;
    return path;
}

std::string POUVarFilePath(const CZULProject& project, const CProjTreeNode& node)
{
    std::string path = POUPathBase(project, node);
    if (!path.empty())
        path += VARIABLE_EXTENSION;
    return path;
}

BOOL IsPOUDocumentOpen(const std::vector<std::string>& titles, const std::string& name)
{
    for (std::string title : titles) {
        if (title.find(MODIFIED_MARK) != std::string::npos) {
            title.pop_back();
            title = ByteString::Trim(title);
        }
        if (title == name)
            return TRUE;
    }
    return FALSE;
}

std::string ProjTreeHelpTopic(const std::string& itemText)
{
    for (const CHelpTopicRule& rule : HELP_TOPIC_RULES) {
        if (StartsWith(itemText, rule.prefix))
            return rule.topic;
    }
    return itemText;
}

std::string DeletePOUQuestion(const std::string& name)
{
    return "Are you sure you want to delete " + name + " ?";
}

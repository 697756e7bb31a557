#include "UploadedPOUs.h"

#include "CObjectDecompiler.h"
#include "UploadedVarRecords.h"

#include "model/CProjTreeNode.h"
#include "model/CZULProject.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

namespace {

// "解析变量文件时失败"
const char* const VAR_FILE_FAILED = "\xBD\xE2\xCE\xF6\xB1\xE4\xC1\xBF\xCE\xC4\xBC\xFE\xCA\xB1\xCA\xA7\xB0\xDC";

std::string ProjectFolderOf(const CZULProject& project)
{
    return project.ProjectFolder;
}

std::string EntryLine(const CUploadedVarEntry& entry, int index)
{
    std::string name;
    const std::string typeName = MakeParamName(entry.type, index, FALSE, name);
    return name + " AT " + CZULProject::FormatAddress(entry.address, entry.type) + " : " + typeName + " ;\n";
}

std::string SectionText(const char* keyword, const CUploadedVarRecord& record, int varClass)
{
    std::string text = keyword;
    for (size_t k = 0; k < record.entries.size(); ++k) {
        if (varClass == 0 || record.entries[k].varClass == varClass)
            text += EntryLine(record.entries[k], static_cast<int>(k));
    }
    return text + "END_VAR\n";
}

std::string VarFileText(const CUploadedVarRecord& record)
{
    if (record.kind != UPLOAD_VARS_SBR)
        return SectionText("VAR\n", record, 0);
    return SectionText("VAR_INPUT\n", record, UPLOAD_CLASS_INPUT) +
           SectionText("VAR_IN_OUT\n", record, UPLOAD_CLASS_IN_OUT) +
           SectionText("VAR_OUTPUT\n", record, UPLOAD_CLASS_OUTPUT) +
           SectionText("VAR\n", record, UPLOAD_CLASS_LOCAL);
}

std::string VarFileName(const CUploadedVarRecord& record)
{
    if (record.kind == UPLOAD_VARS_SBR)
        return ByteString::Format("SBR%02d_SBR_%d.ilv", record.number, record.number);
    if (record.kind == UPLOAD_VARS_INT)
        return ByteString::Format("INT%02d_INT_%d.ilv", record.number, record.number);
    return "MAIN_MAIN.ilv";
}

void AddGlobalSymbols(const CUploadedVarRecord& record, CZULProject& project)
{
    for (size_t k = 0; k < record.entries.size(); ++k) {
        const CUploadedVarEntry& entry = record.entries[k];
        auto* symbol = new CZULSymbol;
        symbol->address = CZULProject::FormatAddress(entry.address, entry.type);
        symbol->dataType = MakeParamName(entry.type, static_cast<int>(k), TRUE, symbol->name);
        OperandTypeFlags flags = 0;
        ParseDirectAddress(symbol->address, flags);
        symbol->typeFlags = (flags & ~static_cast<OperandTypeFlags>(0x1FFFF)) | entry.type;
        project.AddSymbol(symbol);
    }
}

int LanguageOfFile(const std::string& path)
{
    return ReadPOULanguage(path) == POU_LANGUAGE_LD ? POU_LANGUAGE_LD : POU_LANGUAGE_IL;
}

void FillNode(CProjTreeNode& node, int kind, const std::string& name, const std::string& label,
              const std::string& programFile)
{
    node.kind = kind;
    node.name = name;
    node.label = label;
    node.language = LanguageOfFile(programFile);
    node.comment.clear();
    node.author.clear();
}

// The number in the last two characters of "SBRnn" or "INTnn".
int POUNumber(const std::string& name)
{
    const std::string digits = ByteString::Right(name, 2);
    if (!IsDigitString(digits))
        return -1;
    return std::stoi(digits);
}

void RegisterPOU(const std::string& pouName, CZULProject& project)
{
    const std::string folder = ProjectFolderOf(project);
    if (pouName == "MAIN") {
        project.MainPresent = 1;
        FillNode(project.MainNode, NODE_MAIN, "MAIN", "(MAIN)  MAIN", folder + "/MAIN_MAIN.ilp");
        return;
    }
    const std::string kind = ByteString::Left(pouName, 3);
    const int number = POUNumber(pouName);
    if ((kind != "SBR" && kind != "INT") || number < 0)
        return;
    auto* node = new CProjTreeNode;
    const std::string name = ByteString::Format("%s_%d", kind.c_str(), number);
    const std::string label = ByteString::Format("%s%02d%s%s", kind == "SBR" ? "(SBR" : "(INT", number, ")  ",
                                                 name.c_str());
    FillNode(*node, kind == "SBR" ? NODE_SUBROUTINE : NODE_INTERRUPT, name, label,
             folder + "/" + pouName + "_" + name + ".ilp");
    node->number = number;
    if (kind == "SBR") {
        project.POUs.AddSubroutineNode(node);
        project.LoadSubroutineInterface(node);
    } else {
        project.POUs.AddInterruptNode(node);
    }
}

} // namespace

BOOL WriteUploadedVarFiles(const std::vector<BYTE>& block9, CZULProject& project)
{
    std::vector<CUploadedVarRecord> records;
    if (!ParseUploadedVarRecords(block9, records))
        return FALSE;
    for (const CUploadedVarRecord& record : records) {
        if (record.kind == UPLOAD_VARS_GLOBAL) {
            AddGlobalSymbols(record, project);
            continue;
        }
        if (!FileSystem::SafeSave(ProjectFolderOf(project) + "/" + VarFileName(record), VarFileText(record))) {
            ShowMessage("", VAR_FILE_FAILED, MB_OK);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL RebuildUploadedPOUs(const BYTE* code, int length, const std::vector<BYTE>* block9, int uploadFormat,
                         CZULProject& project)
{
    std::vector<std::string> names;
    CObjectDecompiler decompiler(uploadFormat);
    decompiler.RebuildSources(code, length, 10, ProjectFolderOf(project) + "/", names);
    if (block9 && !WriteUploadedVarFiles(*block9, project))
        return FALSE;
    for (const std::string& name : names)
        RegisterPOU(name, project);
    return TRUE;
}

#include "CCanOpenNetworkModel.h"

#include "CanOpenTexts.h"
#include "SlaveTypeFile.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/IMessageBox.h"

#include <utility>

namespace {
constexpr const char* kIoCategory = "CANOPENIO";
constexpr const char* kDriveCategory = "CANOPENDRIVE";
} // namespace

CCanOpenNetworkModel::CCanOpenNetworkModel(CZULAppData& app, std::string userCanOpenFolder)
    : m_app(app), m_userFolder(std::move(userCanOpenFolder)), m_slaves(app.Project)
{
}

SlaveTypeBranch CCanOpenNetworkModel::BranchOf(const std::string& category)
{
    if (category == kIoCategory)
        return SLAVE_BRANCH_IO;
    if (category == kDriveCategory)
        return SLAVE_BRANCH_DRIVE;
    return SLAVE_BRANCH_ROOT;
}

int CCanOpenNetworkModel::AddSlaveToNetwork(const std::string& typeName)
{
    const CCanOpenSlaveType* type = m_app.FindSlaveType(typeName);
    if (!type) {
        ShowMessage(kMessageCaption, kNoSuchSlaveType, MB_OK);
        return -1;
    }
    int configured = 0;
    int freeSlot = -1;
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        if (m_slaves.IsConfigured(slot))
            ++configured;
        else if (freeSlot < 0)
            freeSlot = slot;
    }
    if (freeSlot < 0 || configured >= NETWORK_MAX_SLAVES) {
        ShowMessage(kMessageCaption, kNetworkFull, MB_OK);
        return -1;
    }
    CCanOpenSlave& slave = m_slaves.Slave(freeSlot);
    slave.Name = type->name;
    slave.Type = type->typeCode;
    SetProjectModified(TRUE);
    m_rebuildNeeded = TRUE;
    return freeSlot;
}

// Only a library type is deleted, after the user agreed, and only the file
// that carries that type's name in the user's folder: a category item or a
// name that cannot be a file name touches no file.
BOOL CCanOpenNetworkModel::DeleteSlaveType(const std::string& itemText, bool isTypeItem)
{
    if (itemText.empty())
        return FALSE;
    if (!isTypeItem || !m_app.FindSlaveType(itemText)) {
        ShowMessage(kMessageCaption, kOnlyTypesDeleted, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (ShowMessage(kMessageCaption, ByteString::Format(kDeleteTypeQuestion, itemText.c_str()),
                    MB_YESNO | MB_ICONQUESTION)
        != IDYES)
        return FALSE;
    m_app.RemoveSlaveType(itemText);
    m_rebuildNeeded = TRUE;
    if (!IsSafeTypeFileName(itemText))
        return TRUE;
    const std::string path = FileSystem::JoinPath(m_userFolder, itemText);
    if (FileSystem::FileExists(path) && !FileSystem::DeleteFile(path))
        ShowMessage(kMessageCaption, kDeleteTypeFailedHead + itemText + kDeleteTypeFailedTail, MB_OK);
    return TRUE;
}

BOOL CCanOpenNetworkModel::AfterSlaveCommand(BOOL changed)
{
    if (changed)
        m_rebuildNeeded = TRUE;
    SetProjectModified(TRUE);
    return changed;
}

BOOL CCanOpenNetworkModel::MoveSlaveUp()
{
    return AfterSlaveCommand(m_slaves.MoveSlaveUp());
}

BOOL CCanOpenNetworkModel::MoveSlaveDown()
{
    return AfterSlaveCommand(m_slaves.MoveSlaveDown());
}

BOOL CCanOpenNetworkModel::DeleteSlave()
{
    return AfterSlaveCommand(m_slaves.DeleteSlave());
}

int CCanOpenNetworkModel::FocusSlave() const
{
    int row = 0;
    int column = 0;
    m_slaves.GetFocusCell(row, column);
    return m_slaves.IsConfigured(row) ? row : -1;
}

void CCanOpenNetworkModel::StoreBootSteps(int slot, WORD steps)
{
    if (m_slaves.IsConfigured(slot))
        m_slaves.Slave(slot).BootProg = steps;
}

BOOL CCanOpenNetworkModel::SaveToProject()
{
    if (!m_initialised)
        return TRUE;
    m_slaves.StoreToProject(m_app.Project);
    SetProjectModified(TRUE);
    return TRUE;
}

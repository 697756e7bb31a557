#pragma once
// The force commands: every change of the PLC's force table is made
// read-modify-write. The PLC's table is read into the project's force map
// and force image, the change is applied locally, the whole table is built
// from the map and the image and written back, and the local state is rolled
// back when the write fails. The link exchanges the blocks; this class owns
// their meaning and rebuilds the force map from every table the link reads.
// The status chart and the POU editors (through the main frame) call it.

#include "model/OperandTypeFlags.h"
#include "plclink/IForceMapBuilder.h"
#include "platform/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

class CStatusChartTable;
class CStatusInput;
class CZULAppData;

// Shown when one section of the table would need more than 255 entries.
constexpr const char* FORCE_TOO_MANY_TEXT = "Unable to force more than 255 operands of one data type.";

class CForceCommands : public IForceMapBuilder {
public:
    // Installs itself as the link's force-map builder for its lifetime.
    explicit CForceCommands(CZULAppData& app);
    ~CForceCommands() override;
    CForceCommands(const CForceCommands&) = delete;
    CForceCommands& operator=(const CForceCommands&) = delete;

    // IForceMapBuilder: the force map and the force image (and its backup)
    // anew from a checked table.
    void RebuildForceMap(const std::vector<BYTE>& forceTable) override;

    // The project's force-table block from the force map and the force
    // image; FALSE, with a message, when a type has more than 255 entries.
    BOOL BuildForceTable();

    // The force commands of the POU editors; TRUE when the PLC took the table.
    BOOL ForceAddress(const std::string& address, int value);
    BOOL UnforceAddress(const std::string& address);
    // Unforces everything in the PLC; on success the force map and image are emptied.
    BOOL SendUnforceAll();
    BOOL ForceMapHasEntries() const;
    // Whether the text is a key of the force map.
    BOOL IsForced(const std::string& key) const;
    void ClearForceMap();

    // The status chart's commands on its rows.
    BOOL Force(CStatusInput* row);
    BOOL Unforce(CStatusInput* row);
    BOOL ForceAll(CStatusChartTable& chart);
    BOOL UnforceAll();
    // Appends one chart row per operand the PLC holds forced; the rows appended.
    int ReadAllForced(CStatusChartTable& chart);

    // Called with true before an exchange with the PLC and with false after it
    // (the window layer shows the wait cursor meanwhile).
    void SetWaitCursorHook(std::function<void(bool)> hook) { m_waitCursor = std::move(hook); }

    // Enabling: monitoring on and the PID trend display closed, for all five.
    BOOL CanRunCommands() const;
    // A row that exists with a valid, forceable address.
    static BOOL IsUsableRow(const CStatusInput* row);
    BOOL CanForce(const CStatusInput* row) const;
    BOOL CanUnforce(const CStatusInput* row) const;

private:
    // The force image into its backup, and back.
    void BackUpImage();
    void RestoreImage();
    void ClearImage();
    // Adds an entry unless the key has one; TRUE when it added one.
    bool AddEntry(const std::string& key, WORD encoded, OperandTypeFlags flags, DWORD value);
    void RemoveEntry(const std::string& key);
    // Builds and sends the table; FALSE when either fails.
    BOOL WriteTable();
    static void ClearRowNewValue(CStatusInput& row);
    // The wait cursor for the life of one exchange.
    class CExchangeCursor;

    CZULAppData& m_app;
    std::function<void(bool)> m_waitCursor;
};

#pragma once
// The rules of the status chart: row n is record n of the project's
// status-chart list. A row names an operand by its direct address, shows its
// monitored value in the row's display format and holds a new value for the
// force commands, rewritten into the canonical text of that format. The
// record's symbol text carries the name of its format and its spare word the
// new value as a REAL. Every change marks the project modified, since the
// rows are saved with it.

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CStatusInput;
class CZULAppData;

// Display formats of a row.
constexpr DWORD STATUS_FORMAT_NONE = 0;
constexpr DWORD STATUS_FORMAT_BOOL = 1;
constexpr DWORD STATUS_FORMAT_REAL = 2;
constexpr DWORD STATUS_FORMAT_UNSIGNED = 4;
constexpr DWORD STATUS_FORMAT_SIGNED = 8;
constexpr DWORD STATUS_FORMAT_BINARY = 16;
constexpr DWORD STATUS_FORMAT_HEX = 32;

class CStatusChartTable {
public:
    enum Column { COL_ADDRESS = 0, COL_SYMBOL, COL_FORMAT, COL_CURRENT, COL_NEW, COLUMN_COUNT };

    struct ColumnDef {
        const char* title;
        int width;
    };
    static const ColumnDef COLUMNS[COLUMN_COUNT];

    struct FormatDef {
        const char* name;
        DWORD code;
    };
    static constexpr int FORMAT_COUNT = 6;
    // BOOL, REAL, Unsigned, Signed, Binary, Hexadecimal.
    static const FormatDef FORMATS[FORMAT_COUNT];

    static constexpr int MIN_ROWS = 6;

    explicit CStatusChartTable(CZULAppData& app);

    // Grid rows = n: valid addresses are encoded again (the CPU family may
    // have changed) and the list is padded with empty records up to n.
    void SetRowCount(int n);
    int GetRecordCount() const;
    CStatusInput* GetRecord(int row) const;

    // The address check of a row, its default format, then the new-value check.
    void ValidateAddress(CStatusInput& record) const;
    // The new-value check; TRUE when the text holds a valid constant.
    BOOL ValidateNewValue(CStatusInput& record) const;

    // The canonical text and value of a new value in a format, from the
    // constant's type bits and the address's flags.
    static void NormalizeNewValue(DWORD format, OperandTypeFlags constantType, OperandTypeFlags addressFlags,
                                  DWORD& value, float& realValue, std::string& text);
    // The monitored text rewritten for the row's format.
    static void FormatCurrentValue(std::string& text, int value, DWORD format, OperandTypeFlags addressFlags);
    // The address as a row keeps it: upper case, "%" added except for T and C.
    static std::string CanonicalAddress(const std::string& address, OperandTypeFlags flags);

    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) const;
    // Stores the trimmed text of an edited cell; FALSE when nothing changed.
    BOOL SaveCellData(int column, int row, const std::string& text);
    // The display formats the row's address offers.
    std::vector<std::string> GetFormatChoices(int row) const;

    // Empties the cells of the range row by row; a range over every column
    // deletes its rows.
    void ClearCells(int firstCol, int lastCol, int firstRow, int lastRow);
    // n empty records at index (the record count appends).
    BOOL InsertStatusRows(int index, int n);
    // Deletes n records from first; refused as a whole when it would empty the chart.
    BOOL DeleteStatusRows(int first, int n);
    // Sorts the records up to the last with an address by address text, byte-wise.
    void SortByAddress(bool ascending);
    // Appends a record that shows a forced operand.
    void AppendForcedRow(const std::string& address, WORD encoded, OperandTypeFlags flags, DWORD format);

    bool IsMonitoring() const;

private:
    static DWORD FormatCode(const std::string& name);
    static const char* FormatName(DWORD code);
    void SetFormat(CStatusInput& record, DWORD code) const;
    std::vector<std::string> FormatChoices(const CStatusInput& record) const;
    void CurrentValueText(const CStatusInput& record, std::string& text, BYTE& mark) const;

    CZULAppData& m_app;
};

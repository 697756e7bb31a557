#pragma once
// The rules of the initial data table: row n is record n of the project's
// initial-data list, an address of V memory and up to four start values
// without gaps. Every cell is checked as it is stored; a faulty cell keeps
// its text and gets a code (one bit of INIT_CODE_*) that the table marks and
// Compile All reports. While the PLC is monitored the cells cannot change.

#include "platform/WinTypes.h"

#include <string>

class CZULAppData;
class CZULInitData;

// Codes of a faulty cell, by bit: the texts of kInitDataMessages in this order.
constexpr DWORD INIT_CODE_ILLEGAL_ADDRESS = 0x01;
constexpr DWORD INIT_CODE_NOT_V_MEMORY = 0x02;
constexpr DWORD INIT_CODE_ILLEGAL_VALUE = 0x04;
constexpr DWORD INIT_CODE_WRONG_TYPE = 0x08;
constexpr DWORD INIT_CODE_ADDRESS_UNKNOWN = 0x10;
constexpr DWORD INIT_CODE_OUT_OF_RANGE = 0x20;

class CInitDataTable {
public:
    // Column 0 the address, columns 1 to 4 the values.
    static constexpr int COL_ADDRESS = 0;
    static constexpr int VALUE_COLUMNS = 4;
    static constexpr int COLUMN_COUNT = 1 + VALUE_COLUMNS;
    static constexpr int ADDRESS_WIDTH = 100;
    static constexpr int VALUE_WIDTH = 120;
    static constexpr int MIN_ROWS = 6;

    explicit CInitDataTable(CZULAppData& app);

    // At least n records, new ones empty.
    void SetRowCount(int n);
    int GetRecordCount() const;
    CZULInitData* GetRecord(int row) const;

    // The address check of a row, then the check of its values.
    void ValidateRow(CZULInitData& record) const;
    // The check of value i (1 to 4) against the row's address.
    void ValidateValue(CZULInitData& record, int i) const;

    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) const;
    // Stores an edited text; FALSE when the row stayed as it was (monitoring,
    // a value after a gap, an inner value emptied).
    BOOL SaveCellData(int column, int row, const std::string& text);
    // Empties the cells of the range row by row; a range over every column
    // deletes its rows. FALSE while monitoring.
    BOOL ClearCells(int firstCol, int lastCol, int firstRow, int lastRow);
    // One or more empty records at index (record count appends); allowed while monitoring.
    BOOL InsertInitRows(int index, int n);
    // Deletes n records from first; the list never becomes empty.
    BOOL DeleteInitRows(int first, int n);

    bool IsMonitoring() const;

private:
    BOOL StoreValue(CZULInitData& record, int column, const std::string& text) const;

    CZULAppData& m_app;
};

// Checks every row that has a text again, as after a change of CPU; TRUE.
BOOL RecheckInitialData(CZULAppData& app);

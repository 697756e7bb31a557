#pragma once
// The rules of the global variable table: row n is record n of the
// project's ordered symbol list (empty and faulty records included). Every
// edit is stored as typed and checked: illegal or duplicate names and
// addresses are flagged, the data type follows the address, and the
// project's symbol maps are rebuilt so that they hold the clean symbols only.

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULProject;
class CZULSymbol;

class CGlobalVarTable {
public:
    enum Column { COL_SYMBOL = 0, COL_ADDRESS, COL_TYPE, COL_COMMENT, COLUMN_COUNT };

    struct ColumnDef {
        const char* title;
        int width;
    };
    static const ColumnDef COLUMNS[COLUMN_COUNT];

    static constexpr int MIN_ROWS = 6;
    static constexpr size_t NAME_MAX_BYTES = 16;
    // Symbols the PLC's global variable file takes.
    static constexpr int MAX_SYMBOLS = 2048;

    explicit CGlobalVarTable(CZULProject& project);

    // Opening the table: the registered symbols sorted by address text, then
    // the faulty and incomplete records as they stood; empty records are
    // dropped. More than MAX_SYMBOLS clean symbols are kept and reported.
    void RebuildSortedByAddress();
    // At least n records, new ones empty and numbered with their row.
    void SetRowCount(int n);
    int GetRecordCount() const;
    CZULSymbol* GetRecord(int row) const;

    // Address, name and duplicate checks over every record.
    void Revalidate();
    void ValidateAddresses();
    void ValidateNames();
    void CheckDuplicates();

    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) const;
    // The trimmed text of an edited cell; rows beyond the list are ignored.
    void SaveCellData(int column, int row, const std::string& text);
    // The data types offered for the row's address. At activation only an
    // address finding empties the list; when the editor is made any finding does.
    std::vector<std::string> GetTypeChoices(int row, bool atActivation) const;

    // Empties the cells of the range; a range over every column deletes its rows.
    void ClearCells(int firstCol, int lastCol, int firstRow, int lastRow);
    // n empty records at index (index = record count appends); FALSE when nothing changed.
    BOOL InsertSymbolRows(int index, int n);
    // Deletes n records from first; the list never becomes empty.
    BOOL DeleteSymbolRows(int first, int n);
    // Sorts by the column's key, byte-wise; FALSE for a column without key.
    BOOL SortByColumn(int column, bool ascending);

private:
    void ValidateAddress(CZULSymbol& symbol, bool emptyTypeWhenIllegal) const;
    void StoreName(CZULSymbol& symbol, const std::string& text) const;
    void StoreAddress(CZULSymbol& symbol, const std::string& text) const;
    void StoreDataType(CZULSymbol& symbol, const std::string& text) const;
    void ClearCell(CZULSymbol& symbol, int column) const;
    void Renumber();
    void ReportOverfullTable(int cleanCount) const;

    CZULProject& m_project;
};

// Address, name and duplicate checks of the global symbols after the CPU changed.
void RecheckGlobalVariables(CZULProject& project);

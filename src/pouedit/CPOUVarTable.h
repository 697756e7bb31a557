#pragma once
// The rows of a POU's local-variable table and everything the table does
// with them apart from drawing: the look-up maps of complete declarations,
// duplicate names, first-fit local addresses in the project's occupancy
// maps, the ".ilv" file and the call interface of a subroutine. The grid
// view over it only forwards cell edits, keys and commands.

#include "model/CLocalOccupancy.h"
#include "model/CLocalVarEntry.h"
#include "model/CNameRowSet.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CZULFBPara;
class CZULProject;

class CPOUVarTable {
public:
    enum Column { COL_ADDRESS, COL_SYMBOL, COL_CLASS, COL_TYPE, COL_COMMENT, COLUMN_COUNT };
    static constexpr int MAX_ROWS = 32;
    static constexpr int MIN_INITIAL_ROWS = 4;
    static constexpr int SYMBOL_MAX_LENGTH = 8;
    static constexpr BYTE MARK_PLAIN = 0;
    static constexpr BYTE MARK_ERROR = 255;
    static constexpr BYTE MARK_COMMENT = 254;

    struct ColumnInfo {
        const char* title;
        int width;
    };
    static const ColumnInfo COLUMNS[COLUMN_COUNT];

    using EntryMap = std::unordered_map<std::string, CLocalVarEntry*>;

    // subroutine: the table declares parameters as well as temporaries.
    CPOUVarTable(std::vector<BYTE>& bitCells, std::vector<BYTE>& byteCells, bool subroutine);

    bool IsSubroutine() const { return m_subroutine; }
    int GetRowCount() const { return int(m_rows.size()); }
    CLocalVarEntry* GetEntry(int row) const;

    // The text and mark of a cell; FALSE for a cell outside the table.
    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) const;
    // The choices of the drop-down list of a column (empty for the others).
    std::vector<std::string> GetColumnChoices(int column) const;

    // Applies the edited text of a cell; TRUE when the table changed (the
    // document is then modified). Refused while monitoring.
    BOOL OnCellEdited(int column, int row, const std::string& text);
    // Checks the entry's symbol (renamed from oldName): a legal local name
    // that no other row declares. Keeps the maps and duplicate sets up to date.
    BOOL ValidateSymbol(const std::string& oldName, CLocalVarEntry& entry);

    // Releases the entry's address, then assigns the first free one that fits.
    BOOL AllocateAddress(CLocalVarEntry& entry);

    // Empties the symbols (column 1) and comments (column 4) of the cells in
    // the rectangle, or deletes the rows when it spans all columns. TRUE when
    // the table changed.
    BOOL ClearCells(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // FALSE (nothing changed) for fewer than 2 rows or a range outside the
    // table; deleting every row keeps the first.
    BOOL DeleteRows(int first, int count);
    // New rows take the class and data type of the current row; below puts
    // them after it. FALSE when the table would pass its row limit.
    BOOL InsertRows(int current, int count, bool below);
    // Grows the table to n rows (at most 32) with empty BOOL rows.
    void EnsureRowCount(int n);
    // The rows a table opens with: the declarations and one empty row,
    // at least 4 and at most 32.
    static int GetOpeningRowCount(int declarations);

    // Reads the ".ilv" file into the rows (the maps of complete rows too).
    // A missing file leaves the table empty. reallocate assigns fresh
    // addresses in place of the file's.
    BOOL ReadVarFile(const std::string& path, bool reallocate);
    // The reader a POU window runs when it opens: a PID wizard generating the
    // POU first writes its declarations; without a document file the wizard's
    // file is read; the application's reallocation request is honoured and
    // then cleared.
    BOOL ReadDocumentVarFile(const std::string& varFilePath);
    // Writes the complete rows and reserves their addresses; the old file
    // stays whole when the new one cannot be written (FALSE, reported).
    BOOL WriteVarFile(const std::string& path);
    // The file's bytes for the complete rows (CR LF lines, sections in order).
    std::string BuildVarFileText() const;
    // The printout form; the lines stay as they were without complete rows.
    void GetDeclarationLines(std::vector<std::string>& lines) const;

    // Replaces the parameters of the subroutine interface named after the
    // program file (the part after the first "_") by EN, ENO and the
    // complete parameter rows. FALSE when the project has no such interface.
    BOOL RebuildCallInterface(const std::string& programPath, CZULProject& project) const;

    // The message of a grid paste result code; empty for 0 and unknown codes.
    static const char* GetPasteMessage(int code);
    // Shows the message of a refused paste ("Note", information icon);
    // TRUE for a paste that succeeded (the document is then modified).
    static BOOL ReportPasteResult(int code);

    // Enter in a cell: the next column of the row, from the last column to
    // the Symbol column of the next row; at the last cell a row is appended
    // first (not when the table is full: FALSE, nothing moves).
    BOOL GetEnterTarget(int column, int row, int& nextColumn, int& nextRow);

    // Command states for a selection (first and last column).
    // Insert Row (Above/Below): within one column, fewer than 32 rows.
    BOOL CanInsertRow(int firstColumn, int lastColumn) const;
    // Delete Row: within one column, at least 2 rows.
    BOOL CanDeleteRow(int firstColumn, int lastColumn) const;
    // Delete: unless the selection starts in the Var Type or Data Type column.
    static BOOL CanClear(int firstColumn);
    // The Address column is never copied: the first column of a copy.
    static int GetCopyStartColumn(int firstColumn) { return firstColumn == COL_ADDRESS ? COL_SYMBOL : firstColumn; }

    const EntryMap& GetSymbolMap() const { return m_symbols; }
    const EntryMap& GetAddressMap() const { return m_addresses; }
    const EntryMap& GetUpperSymbolMap() const { return m_upperSymbols; }
    const CNameRowSet* FindDuplicateSet(const std::string& name) const;

private:
    static bool IsMonitoring();
    static bool IsNameValid(const CLocalVarEntry& entry) { return entry.Value1 != 0; }
    static bool IsComplete(const CLocalVarEntry& entry) { return entry.Value2 != 0; }
    static bool HasAddress(const CLocalVarEntry& entry) { return entry.Value3 != 0; }

    // Sets the complete flag from the others and enters a complete row into the maps.
    void UpdateCompletion(CLocalVarEntry& entry);
    void EnterMaps(CLocalVarEntry& entry);
    void LeaveMaps(const std::string& symbol, const CLocalVarEntry& entry);
    // TRUE when the row's name is declared by no other row.
    bool TrackDuplicateName(const std::string& oldName, CLocalVarEntry& entry);
    void LeaveDuplicateSet(const std::string& name, WORD row);
    void RevalidateRow(WORD row);
    // Moves the rows kept in the duplicate sets from row first on by delta.
    void RenumberFrom(int first, int delta);
    // Each entry's row number becomes its index.
    void RenumberRows();
    std::unique_ptr<CLocalVarEntry> NewRow(const CLocalVarEntry* model) const;
    std::vector<const CLocalVarEntry*> CompleteRows(OperandTypeFlags direction) const;
    static void SetParamAllowedAreas(CZULFBPara& para, const CLocalVarEntry& entry);

    CLocalOccupancy m_occupancy;
    bool m_subroutine;
    std::vector<std::unique_ptr<CLocalVarEntry>> m_rows;
    EntryMap m_symbols;
    EntryMap m_addresses;
    EntryMap m_upperSymbols;
    std::unordered_map<std::string, std::unique_ptr<CNameRowSet>> m_duplicates;
};

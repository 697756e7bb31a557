#pragma once
// The initial-data lines of a compilation: every row of the project's
// initial-data table whose value is missing or whose columns the table has
// marked as faulty, written to the Compile list of the output window (not to
// the message list).

class CZULProject;

// Writes the lines and returns how many problems it wrote.
int ReportInitialData(const CZULProject& project);

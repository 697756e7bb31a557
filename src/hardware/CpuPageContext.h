#pragma once
// What every page of the CPU property sheet works on: the application data
// with its project, and the CPU's module record that the sheet shows. The
// pages store only when that record is the project's first module record,
// the one the CPU tab always shows.

#include "platform/WinTypes.h"

// A list without selected item.
constexpr int NO_SELECTION = -1;

class CZULAppData;
class CZUL_Q7_PLC;

class CpuPageContext {
public:
    explicit CpuPageContext(CZULAppData& app) : m_app(app) {}

    void SetModule(CZUL_Q7_PLC* module) { m_module = module; }
    CZUL_Q7_PLC* Module() const { return m_module; }
    CZULAppData& App() const { return m_app; }

    bool IsFirstModule() const;

private:
    CZULAppData& m_app;
    CZUL_Q7_PLC* m_module = nullptr;
};

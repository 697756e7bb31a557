#include "CQtCursors.h"

#include <map>

namespace {

struct StandardCursor {
    UINT id;
    Qt::CursorShape shape;
};

constexpr StandardCursor kStandardCursors[] = {
    {IDC_ARROW, Qt::ArrowCursor},
    {IDC_IBEAM, Qt::IBeamCursor},
    {IDC_WAIT, Qt::WaitCursor},
    {IDC_CROSS, Qt::CrossCursor},
    {IDC_UPARROW, Qt::UpArrowCursor},
    {IDC_SIZENWSE, Qt::SizeFDiagCursor},
    {IDC_SIZENESW, Qt::SizeBDiagCursor},
    {IDC_SIZEWE, Qt::SizeHorCursor},
    {IDC_SIZENS, Qt::SizeVerCursor},
    {IDC_SIZEALL, Qt::SizeAllCursor},
    {IDC_NO, Qt::ForbiddenCursor},
    {IDC_HAND, Qt::PointingHandCursor},
    {IDC_APPSTARTING, Qt::BusyCursor},
    {IDC_HELP, Qt::WhatsThisCursor},
};

std::map<UINT, QCursor>& Registered()
{
    static std::map<UINT, QCursor> cursors;
    return cursors;
}

} // namespace

BOOL CQtCursors::Find(UINT id, QCursor* cursor)
{
    const auto found = Registered().find(id);
    if (found != Registered().end()) {
        *cursor = found->second;
        return TRUE;
    }
    for (const StandardCursor& standard : kStandardCursors) {
        if (standard.id == id) {
            *cursor = QCursor(standard.shape);
            return TRUE;
        }
    }
    *cursor = QCursor(Qt::ArrowCursor);
    return FALSE;
}

QCursor CQtCursors::Cursor(UINT id)
{
    QCursor cursor;
    Find(id, &cursor);
    return cursor;
}

void CQtCursors::Register(UINT id, const QCursor& cursor)
{
    Registered()[id] = cursor;
}

#pragma once
// Cursor numbers to Qt cursors: the standard shapes map to Qt's shapes; the
// program's own cursors are registered by number when their art is loaded.

#include "platform/CursorShapes.h"

#include <QCursor>

class CQtCursors {
public:
    // FALSE for a number that is neither standard nor registered (the arrow is given).
    static BOOL Find(UINT id, QCursor* cursor);
    static QCursor Cursor(UINT id);
    static void Register(UINT id, const QCursor& cursor);
};

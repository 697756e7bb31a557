#include "CProjTreeNode.h"

#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CProjTreeNode, CObject, 1)

void CProjTreeNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << name << label << author << static_cast<DWORD>(kind) << static_cast<WORD>(number)
           << static_cast<DWORD>(language);
        return;
    }
    WORD value = 0;
    ar >> name >> label >> author >> kind >> value >> language;
    number = value;
}

void CProjTreeNode::Reset()
{
    kind = -1;
    name.clear();
    label.clear();
    language = -1;
    number = -1;
    comment.clear();
    author.clear();
}

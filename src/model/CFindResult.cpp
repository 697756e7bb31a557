#include "CFindResult.h"

void CFindResult::Reset(int action)
{
    *this = CFindResult();
    Action = action;
}

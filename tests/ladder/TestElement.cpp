#include "TestElement.h"

IMPLEMENT_SERIAL(CTestElement, CLDElement, 1)

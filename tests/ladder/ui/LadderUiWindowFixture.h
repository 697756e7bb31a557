#pragma once
// The LD POU window with the ladder library's window classes registered,
// as the editor creates its dialogs by class name.

#include "pouedit/ui/LadderWindowFixture.h"

#include "ladder/ui/RegisterLadderUiClasses.h"

#include <gtest/gtest.h>

#include <string>

class LadderUiWindowFixture : public LadderWindowFixture {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        ASSERT_TRUE(RegisterLadderUiClasses(&error)) << error;
    }
};

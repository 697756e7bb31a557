#pragma once
// Makes the link's built-in pictures available (a static library drops
// them otherwise); the program's start-up calls it once.

void RegisterPlclinkUiClasses();

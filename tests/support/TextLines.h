#pragma once
// Texts with "\n" line ends split into their lines, as tests compare them.

#include <string>
#include <vector>

// The lines of text; a last line without its "\n" counts, an empty text has none.
std::vector<std::string> SplitLines(const std::string& text);

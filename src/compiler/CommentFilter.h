#pragma once
// Prepares one source line for the compile passes: the header comment that
// opens a network of a POU program ("(* Network 3 *)") becomes the internal
// statement "__NETWORK 3", and every "(* ... *)" comment is blanked, also
// one that runs over several lines. The caller keeps the comment state from
// line to line.

#include <string>

// Changes the line in place (trimmed at both ends) and returns whether a
// comment is still open after it.
bool FilterCommentsAndNetworkHeader(std::string& line, bool commentOpen, const std::string& opening,
                                    const std::string& closing);

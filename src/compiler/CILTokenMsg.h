#pragma once
// One finding of a token check or of a statement: message code, kind
// (0 error, 1 warning) and detail text.

#include <string>

struct CILTokenMsg {
    int code = 0;
    int kind = 0;
    std::string text;
};

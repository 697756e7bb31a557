// The passes of the compile unit until the precompile pass and the code pass
// take them over: a file is classified, announced and recorded, and neither
// pass reads it yet.
#include "CPOUCompiler.h"

void CPOUCompiler::Precompile()
{
}

void CPOUCompiler::GenerateCode(const std::string&)
{
}

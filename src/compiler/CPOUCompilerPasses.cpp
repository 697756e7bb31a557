// A bare compile unit classifies, announces and records its file without
// running a pass over it; the pass compiler overrides both passes.
#include "CPOUCompiler.h"

void CPOUCompiler::Precompile()
{
}

void CPOUCompiler::GenerateCode(const std::string&)
{
}

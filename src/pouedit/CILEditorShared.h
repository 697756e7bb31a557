#pragma once
// Constants that more than one source file of the IL editor uses; internal
// to the editor's sources.

namespace ILEditorShared {
constexpr int TAB_WIDTH = 8; // a tab's blanks when typed or pasted
} // namespace ILEditorShared

#pragma once
// Constants that more than one source file of the IL editor uses; internal
// to the editor's sources.

namespace ILEditorShared {
// The scroll range: columns wide and at least so many lines high; page and
// line steps.
constexpr int EXTENT_COLUMNS = 5000;
constexpr int MIN_SCROLL_LINES = 100;
constexpr int PAGE_COLUMNS = 25;
constexpr int PAGE_LINES = 10;
constexpr int LINE_COLUMNS = 2;
constexpr int TAB_WIDTH = 8; // a tab's blanks when typed or pasted
} // namespace ILEditorShared

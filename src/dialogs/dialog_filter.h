#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fq {

// The filter every dialog object starts with: the one pair "All Files (*.*) " and "*.*", each
// item ended by a zero character.
std::string DefaultDialogFilter();

// The file dialog's name filters for `filter` in the native format: pairs of description and
// pattern, each item ended by a zero character, the list ending at an empty item or at the end
// of the text. A pair becomes "description (patterns)": the ";"-separated patterns go between
// the parentheses separated by blanks, with "*.*" written "*" so that names without a dot match
// too. A last description without a pattern (the bare text "ferquor.ini") serves as its own
// pattern and is followed by the all-files filter, so a copy under another name can be chosen.
std::vector<std::string> NameFiltersFromNative(const std::string& filter);

// The position among `filterCount` name filters that the 1-based `filterIndex` selects;
// 0 and indexes beyond the list select the first.
int NameFilterPosition(std::int32_t filterIndex, std::size_t filterCount);

// The 1-based filter index of the name filter at `position`; 0 when none was in use
// (a negative position).
std::int32_t FilterIndexAt(int position);

} // namespace fq

#pragma once

#include <string>
#include <vector>

namespace fq {

// Sorts `texts` in place by their bytes from the 1-based position `start` on, comparing byte
// values (so every upper-case letter sorts before every lower-case one); a text sorts before
// the longer texts it begins, and equal texts keep their relative order.
void SortStrings(std::vector<std::string>& texts, std::size_t start);

} // namespace fq

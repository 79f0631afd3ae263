#pragma once

#include <string>

namespace fq {

// What the main window is handed by main(), so that tests can build it over a temporary
// program folder.
struct Form1Environment {
    std::string appFolder; // the program folder, ending in "/"
};

} // namespace fq

#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fq {

// What a file dialog shows. Paths and texts are bytes.
struct FileRequest {
    std::vector<std::string> nameFilters; // Qt name filters such as "All File (*)"
    std::string proposedPath;             // its folder is shown first, its name filled in
    bool confirmOverwrite = false;        // save: ask before replacing an existing file
};

// The program's three modal dialogs, titled "Ferrow Quorvel" unless told otherwise. Each
// returns the chosen absolute path, or nothing when the user cancels. Tests hand their own.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> openFile(const FileRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileRequest& request) = 0;
    virtual std::optional<std::string> pickFolder(const std::string& title) = 0;
};

} // namespace fq

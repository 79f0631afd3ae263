#include "core/desktop/autostart_entry.h"

#include "core/desktop/desktop_entry_exec.h"
#include "core/desktop/executable_path.h"
#include "core/files/data_folder.h"
#include "core/files/text_file.h"
#include "core/text/path_text.h"

#include <cerrno>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace fq {
namespace {

// Longer Exec values are not taken as ours: a path the program wrote is far shorter, and a
// huge one could only have been planted.
constexpr std::size_t kMaxStoredBytes = 400;

// The entry's file; "" when there is no folder or no name, so that nothing is touched.
std::string EntryPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || name.empty()) {
        return {};
    }
    return EnsureTrailing(folder, '/') + name + ".desktop";
}

// The keys of the [Desktop Entry] group with their values as stored; blanks around "=" are
// not part of either, and the first of two equal keys counts.
std::map<std::string, std::string> DesktopEntryKeys(const std::string& text) {
    std::map<std::string, std::string> keys;
    bool inGroup = false;
    for (std::string line : SplitText(text, "\n")) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.starts_with('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || line.starts_with('#') || equals == std::string::npos) {
            continue;
        }
        const std::string key = TrimBlanks(line.substr(0, equals));
        const auto valueStart = line.find_first_not_of(' ', equals + 1);
        keys.try_emplace(key, valueStart == std::string::npos ? "" : line.substr(valueStart));
    }
    return keys;
}

// An entry hidden or switched off in the desktop's start-up settings starts nothing.
bool SwitchedOff(const std::map<std::string, std::string>& keys) {
    const auto hidden = keys.find("Hidden");
    const auto enabled = keys.find("X-GNOME-Autostart-enabled");
    return (hidden != keys.end() && hidden->second == "true") ||
           (enabled != keys.end() && enabled->second == "false");
}

} // namespace

std::string AutostartFolder() {
    const std::string base = XdgBaseFolder("XDG_CONFIG_HOME", ".config");
    return base.empty() ? "" : base + "autostart/";
}

bool WriteAutostartEntry(const std::string& folder, const std::string& name,
                         const std::string& executable) {
    const std::string path = EntryPath(folder, name);
    if (path.empty()) {
        return false;
    }
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Ferrow Quorvel\n"
                              "Comment=Watches web sites for changed files\n"
                              "Exec=" +
                              EncodeExecArgument(executable) + " " + kLoginStartArgument +
                              "\n"
                              "Icon=ferquor\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return WriteTextFile(path, entry).ok();
}

bool RemoveAutostartEntry(const std::string& folder, const std::string& name) {
    const std::string path = EntryPath(folder, name);
    return path.empty() || ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::string ReadAutostartCommand(const std::string& folder, const std::string& name) {
    const auto keys = DesktopEntryKeys(ReadTextFile(EntryPath(folder, name)));
    const auto exec = keys.find("Exec");
    if (exec == keys.end() || exec->second.size() >= kMaxStoredBytes || SwitchedOff(keys)) {
        return {};
    }
    return TrimBlanks(DecodeExecValue(exec->second));
}

bool SetRunAtStartup(bool enable, const std::string& folder, const std::string& executablePath) {
    const std::string name = FileNameOf(executablePath);
    return enable ? WriteAutostartEntry(folder, name, executablePath)
                  : RemoveAutostartEntry(folder, name);
}

AutostartRegistration RegistrationToRun(const std::string& folder,
                                        const std::string& executablePath) {
    // An unknown path must not match the empty text that a missing entry reads as.
    if (executablePath.empty()) {
        return AutostartRegistration::kNone;
    }
    const std::string command = ReadAutostartCommand(folder, FileNameOf(executablePath));
    if (command == executablePath + " " + kLoginStartArgument) {
        return AutostartRegistration::kCurrent;
    }
    return command == executablePath ? AutostartRegistration::kWithoutLoginArgument
                                     : AutostartRegistration::kNone;
}

} // namespace fq

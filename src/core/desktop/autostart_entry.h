#pragma once

#include <string>

namespace fq {

// The programs that the desktop starts at log-in: one desktop entry NAME.desktop per program
// in an XDG autostart folder, its Exec line holding the command. The folder is handed in, so
// that tests use their own.

// $XDG_CONFIG_HOME/autostart/ when XDG_CONFIG_HOME is an absolute path, else
// ~/.config/autostart/; always ending in "/". The empty text when no home folder is known,
// which the helpers below take as a store that holds nothing and takes nothing.
[[nodiscard]] std::string AutostartFolder();

// The argument that the entry written below passes, and only a start at log-in therefore
// carries: the program then starts in the tray.
inline constexpr const char* kLoginStartArgument = "--autostart";

// Writes `folder`/`name`.desktop, an application entry whose Exec line runs `executable` with
// kLoginStartArgument, creating the folder and its missing parents. True after a complete
// write.
[[nodiscard]] bool WriteAutostartEntry(const std::string& folder, const std::string& name,
                                       const std::string& executable);

// Removes the entry `name` from `folder`. True when no such entry is left, also when there
// was none.
[[nodiscard]] bool RemoveAutostartEntry(const std::string& folder, const std::string& name);

// The command of the entry `name`: its Exec value, unquoted, without leading and trailing
// blanks. The empty text when the entry or its Exec line is missing, when the stored Exec
// value is 400 bytes or longer, and when the entry tells the desktop not to start it.
[[nodiscard]] std::string ReadAutostartCommand(const std::string& folder, const std::string& name);

// Registers the executable at `executablePath` to start at log-in, or removes its entry. The
// entry is named after the executable's file name as it stands (Linux executables carry no
// extension); its command is the full path and kLoginStartArgument. True when the entry is now
// as asked.
[[nodiscard]] bool SetRunAtStartup(bool enable, const std::string& folder,
                                   const std::string& executablePath);

// What the entry of the executable at `executablePath` starts: nothing of it, that path alone
// (as earlier versions wrote it), or that path with kLoginStartArgument. Paths compare
// exactly, letter case included.
enum class AutostartRegistration { kNone, kWithoutLoginArgument, kCurrent };
[[nodiscard]] AutostartRegistration RegistrationToRun(const std::string& folder,
                                                      const std::string& executablePath);

} // namespace fq

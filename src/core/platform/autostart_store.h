#pragma once

#include <string>

namespace fq {

// The store of programs that the desktop starts at log-in: one desktop entry NAME.desktop per
// value name in an autostart folder, its Exec line holding the value's data. The folder is
// handed in where a registry key path would be.

// $XDG_CONFIG_HOME/autostart/ when XDG_CONFIG_HOME is an absolute path, else
// ~/.config/autostart/; always ending in "/". The empty text when no home folder is known,
// which the helpers below take as a store that holds nothing and takes nothing.
std::string AutostartFolder();

// Writes `folder`/`valueName`.desktop, an application entry whose Exec line runs `data`,
// creating the folder and its missing parents. Returns true after a complete write.
bool WriteRegString(const std::string& folder, const std::string& valueName,
                    const std::string& data);

// Removes the entry of `valueName` from `folder`; nothing happens when there is none.
void DeleteRegValue(const std::string& folder, const std::string& valueName);

// The data of `valueName`: the Exec value of its entry, unquoted, without leading and trailing
// blanks. The empty text when the entry or its Exec line is missing, when the stored Exec
// value is 400 bytes or longer, and when the entry tells the desktop not to start it.
std::string ReadRegString(const std::string& folder, const std::string& valueName);

// Registers the executable at `executablePath` to start at log-in, or removes its entry. The
// value name is the executable's file name as it stands (Linux executables carry no
// extension), the data is the full path.
void SetRunAtStartup(bool enable, const std::string& folder, const std::string& executablePath);

// True when the entry of the executable at `executablePath` holds exactly that path, letter
// case included.
bool IsRegisteredToRun(const std::string& folder, const std::string& executablePath);

} // namespace fq

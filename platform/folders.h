#pragma once
// Folders and files: where the program keeps its settings and data, the
// temporary folder, and the few file-system questions the engine asks.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// $VORNIX_CONFIG_DIR, else $XDG_CONFIG_HOME/vornix, else ~/.config/vornix.
std::string ConfigFolder();
// The installation folder used when the settings name none:
// $VORNIX_DATA_DIR, else $XDG_DATA_HOME/vornix, else ~/.local/share/vornix.
std::string DefaultInstallationFolder();
// $TMPDIR (else /tmp) + "/vornix-<uid>", created with mode 0700. Empty when it
// cannot be created or is not a private folder of this user.
std::string TemporaryFolder();

// folder + "/" + name, the "/" added only when folder does not end in one.
std::string JoinPath(const std::string& folder, const std::string& name);
// Creates the folder and its missing ancestors (mode 0755).
bool CreateFolderPath(const std::string& path);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
std::optional<uint64_t> FileSize(const std::string& path);

// The entry of folder whose name equals name without regard to ASCII case,
// as a full path; an exact match is preferred. Nothing when there is none.
std::optional<std::string> FindFileNoCase(const std::string& folder, const std::string& name);

// A read-only file is one without write permission for us.
bool IsReadOnly(const std::string& path);
// Gives the owner write permission; true when the file is writable after it.
bool ClearReadOnly(const std::string& path);

}  // namespace platform

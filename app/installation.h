#pragma once
// The program's key in the settings file and its installation folder.
#include <string>

// "VornixKeyProfNTFS": the key holding "FilePath", "Activity Log" and
// "Recovery Log".
const char* RegistryKey();

// The folder named by "FilePath": the reports' fallback folder and the home
// of the language data files.
std::string InstallationFolder();

// When "FilePath" is empty, chooses the default installation folder, creates
// it and writes it into the settings. Returns the installation folder, or
// empty when it could not be created.
std::string EnsureInstallationFolder();

#pragma once
// The commands of vornix-cli. Each takes the arguments after its name and
// returns the process exit code.
#include <string>
#include <vector>

class CliPrompt;

using Arguments = std::vector<std::string>;

int RunDump(const Arguments& args, CliPrompt& prompt);
int RunList(const Arguments& args);
int RunPartitions(const Arguments& args);
int RunScanCommand(const Arguments& args, CliPrompt& prompt);
int RunRecover(const Arguments& args, CliPrompt& prompt);

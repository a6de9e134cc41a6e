#include "platform/shell.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

bool ShellOpen(const std::string& path) {
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform

#include "app/report.h"

#include "app/installation.h"
#include "app/prompt.h"
#include "platform/folders.h"
#include "platform/registry_file.h"
#include "platform/shell.h"
#include "platform/text_codec.h"

#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr off_t kReportSizeLimit = 5'242'880;
constexpr size_t kLineCharacters = 199;
constexpr size_t kLineBytes = 199;  // 200 with the terminating zero of the original buffer

const char* FolderValueName(ReportKind kind) {
    return kind == kActivityReport ? "Activity Log" : "Recovery Log";
}

const char* ReportMenuName(ReportKind kind) {
    return kind == kActivityReport ? "Activity Report" : "Recovery History";
}

std::mutex& ReportMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& RememberedFolder() {
    static std::string folder;
    return folder;
}

int OpenReportFile(const std::string& path) {
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

const char* ReportFileName(ReportKind kind) {
    return kind == kActivityReport ? "Activity Log.txt" : "Recovery Log.txt";
}

std::string ReportFolder(ReportKind kind) {
    std::string folder =
        platform::RegistryFile().QueryValue(RegistryKey(), FolderValueName(kind)).value_or("");
    if (folder.empty() || !platform::FolderExists(folder)) return InstallationFolder();
    return folder;
}

std::string ReportPath(ReportKind kind) {
    return platform::JoinPath(ReportFolder(kind), ReportFileName(kind));
}

int AppendReportLine(ReportKind kind, const std::string& text) {
    std::lock_guard<std::mutex> lock(ReportMutex());
    if (ReportFolder(kind).empty()) return 0;  // no installation folder either
    std::string path = ReportPath(kind);
    if (platform::FileExists(path)) platform::ClearReadOnly(path);
    int fd = OpenReportFile(path);
    if (fd < 0) return 0;
    struct stat st {};
    if (fstat(fd, &st) == 0 && st.st_size > kReportSizeLimit) {
        close(fd);
        unlink(path.c_str());
        fd = OpenReportFile(path);
        if (fd < 0) return 0;
    }
    std::string line = "\r\n" + platform::Utf8ToLocale(platform::Utf8Prefix(text, kLineCharacters), kLineBytes);
    bool ok = lseek(fd, 0, SEEK_END) >= 0 && WriteAll(fd, line);
    ok = close(fd) == 0 && ok;
    return ok ? 1 : 0;
}

void ViewReport(ReportKind kind) {
    std::string path = ReportPath(kind);
    if (!platform::FileExists(path)) {
        ShowMessage(std::string(ReportMenuName(kind)) + " file not found");
        return;
    }
    if (!platform::ShellOpen(path)) CurrentPrompt().ShowTextFile(path);
}

void ClearReport(ReportKind kind) {
    std::string path = ReportPath(kind);
    if (!platform::FileExists(path)) {
        ShowMessage(std::string(ReportFileName(kind)) + " file not found");
        return;
    }
    if (!AskQuestion(std::string("Are you sure you want to delete ") + ReportMenuName(kind))) return;
    platform::ClearReadOnly(path);
    std::lock_guard<std::mutex> lock(ReportMutex());
    std::remove(path.c_str());
}

void RememberReportFolder(const std::string& folder) { RememberedFolder() = folder; }

bool StoreRememberedReportFolder(ReportKind kind) {
    return platform::RegistryFile().SetValue(RegistryKey(), FolderValueName(kind), RememberedFolder());
}

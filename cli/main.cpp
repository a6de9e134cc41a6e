// vornix-cli: the recovery engine from the command line.
#include "app/recovery_job.h"
#include "app/startup.h"
#include "cli/cli_prompt.h"
#include "cli/commands.h"

#include <clocale>
#include <iostream>

namespace {

const char kUsage[] =
    "usage: vornix-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  list                                 the disks and logical drives, as Step 1 lists them\n"
    "  dump SOURCE --sector N [--count C]   hex and text dump of sectors\n"
    "  partitions SOURCE                    the partitions as Step 2 lists them\n"
    "  scan SOURCE (--partition N | --range FIRST END --fs FAT12|FAT16|FAT32|NTFS) [--json]\n"
    "                                       quick scan of a volume; prints what was found\n"
    "                                       (END: the first sector after the volume)\n"
    "  recover SOURCE (--partition N | --range FIRST END --fs NAME) --dest DIR\n"
    "          [--path GLOB]... [--deleted include|exclude|only] [--ext EXT]...\n"
    "          [--fat-mode auto|fat1|fat2|contiguous] [--on-clash ask|yes|no|rename]\n"
    "                                       scan, then save the items whose path matches\n"
    "\n"
    "SOURCE is a raw image file or a block device, read as a whole disk, or a\n"
    "folder holding an image set (Image0.img, or image0.img, image1.img ...).\n"
    "Nothing is ever written to the source.\n"
    "\n"
    "Options:\n"
    "  --bad-sectors ask|retry|skip|retry-all|skip-all\n"
    "        what to do when a sector cannot be read (default: ask on a\n"
    "        terminal, skip-all otherwise)\n"
    "  --help       this text\n"
    "  --version    the program's version\n";

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    Arguments args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::cout << "vornix-cli Version 4.0\n";
        return 0;
    }
    CliPrompt prompt;
    SetPrompt(&prompt);
    InitialiseJobFacts();
    Arguments rest(args.begin() + 1, args.end());
    if (args[0] == "dump") return RunDump(rest, prompt);
    if (args[0] == "list") return RunList(rest);
    if (args[0] == "partitions") return RunPartitions(rest);
    if (args[0] == "recover") return RunRecover(rest, prompt);
    if (args[0] == "scan") return RunScanCommand(rest, prompt);
    std::cerr << "vornix-cli: unknown command '" << args[0] << "' (see vornix-cli --help)\n";
    return 2;
}

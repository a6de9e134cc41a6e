// Benchmark: the found-item store alone, at growing sizes, to show that
// adding folders and files stays near linear.
//   vornix_store_bench [FOLDERS FILES]   (default 200000 2000000)
#include "found/found_item_store.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

double Build(uint32_t folders, uint32_t files) {
    FoundItemStore store;
    FoundTimes times{};
    auto start = std::chrono::steady_clock::now();
    for (uint32_t i = 0; i < folders; ++i)
        store.AddFolder("FOLDER" + std::to_string(i), u"", 'n', i / 10, i + 1, 0, times, 0);
    for (uint32_t i = 0; i < files; ++i)
        store.AddFile("", u"file name " + std::u16string(1, char16_t('a' + i % 26)), 'n', i, 0,
                      1 + i % folders, 0, 0, times);
    for (uint32_t i = 0; i < folders; i += 7) (void)store.FindFolder(i, 0);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    uint32_t folders = argc > 2 ? static_cast<uint32_t>(std::atol(argv[1])) : 200000;
    uint32_t files = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 2000000;
    for (uint32_t scale : {16u, 4u, 1u}) {
        double seconds = Build(folders / scale, files / scale);
        std::printf("store: %u folders + %u files in %.3f s (%.0f items/s)\n", folders / scale, files / scale,
                    seconds, (folders + files) / scale / seconds);
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("store: peak memory %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}

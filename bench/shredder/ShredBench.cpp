// Shreds one file of a given size with one pass (three writes of the whole file, each
// flushed to the disk) and prints the bytes written per second. run-shred-bench.sh compares the figure with
// GNU shred's on a file of the same size in the same folder.
//
//   shred_bench.exe FOLDER [MEGABYTES]
#include "filetools/Shredder.h"
#include "common/FileHandle.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Stands in for the progress window: keeps the message queue served as the window would.
class PumpingObserver : public ShredderObserver {
public:
    bool Cancelled() const override { return false; }
    void ProcessMessages() override
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    void Print(const std::string& text) override { console += text; }
    std::string console;
};

bool MakeFile(const std::string& path, unsigned long long size)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file.Valid())
        return false;
    std::vector<char> block(1 << 20, 'd');
    bool ok = true;
    for (unsigned long long done = 0; ok && done < size; done += block.size()) {
        DWORD written;
        ok = WriteFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
             written == block.size();
    }
    // On the disk before the clock starts, so that only the shredding is timed.
    return ok && FlushFileBuffers(file.Get());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: shred_bench FOLDER [MEGABYTES]\n");
        return 2;
    }
    const unsigned long long megabytes = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 256;
    const unsigned long long size = megabytes << 20;
    const std::string path = std::string(argv[1]) + "\\shredbench.bin";
    if (!MakeFile(path, size)) {
        std::fprintf(stderr, "cannot make %s\n", path.c_str());
        return 1;
    }

    PumpingObserver observer;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ShredderResult result = RunShredder({"", "-p", "1", "-q", path}, observer);
    QueryPerformanceCounter(&end);

    if (!result.Succeeded() || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "shredding failed:\n%s", observer.console.c_str());
        DeleteFileA(path.c_str());
        return 1;
    }
    const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    const double written = 3.0 * double(size);
    std::printf("tidewrack: %llu MB, one pass, %.0f bytes written in %.3f s = %.1f MB/s\n",
                megabytes, written, seconds, written / seconds / 1048576.0);
    std::printf("RATE %.0f\n", written / seconds);
    return 0;
}

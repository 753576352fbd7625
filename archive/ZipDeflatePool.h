// Worker threads that deflate the pieces of one large entry side by side. Each piece is
// compressed with the 32 KiB before it as preset dictionary and ends on a byte boundary
// (a sync flush), the last one with the final block, so that the pieces laid end to end
// form one raw deflate stream, as a single deflate over the whole data would: only the
// block boundaries differ. The caller waits for every piece before its call returns.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class ZipDeflatePool {
public:
    static constexpr size_t DictionarySize = 32 * 1024;

    struct Piece {
        std::vector<unsigned char> input;
        std::vector<unsigned char> dictionary;  // the end of the data before this piece
        bool last = false;
        std::vector<unsigned char> output;
        bool failed = false;
        bool done = false;
    };

    ZipDeflatePool(unsigned threads, int level);
    ~ZipDeflatePool();
    ZipDeflatePool(const ZipDeflatePool&) = delete;
    ZipDeflatePool& operator=(const ZipDeflatePool&) = delete;

    unsigned Threads() const { return static_cast<unsigned>(workers_.size()); }
    void Submit(const std::shared_ptr<Piece>& piece);
    void WaitFor(const Piece& piece);

    // How many threads are worth starting on this machine (1: deflate on the caller's thread).
    static unsigned UsefulThreads();

private:
    void Work();

    int level_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::deque<std::shared_ptr<Piece>> queue_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

#include "archive/ZipDeflatePool.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>

ZipDeflatePool::ZipDeflatePool(unsigned threads, int level) : level_(level)
{
    for (unsigned i = 0; i < threads; ++i)
        workers_.emplace_back([this] { Work(); });
}

ZipDeflatePool::~ZipDeflatePool()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

unsigned ZipDeflatePool::UsefulThreads()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return std::min<unsigned>(system.dwNumberOfProcessors, 8);
}

void ZipDeflatePool::Submit(const std::shared_ptr<Piece>& piece)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(piece);
    }
    queued_.notify_one();
}

void ZipDeflatePool::WaitFor(const Piece& piece)
{
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [&] { return piece.done; });
}

void ZipDeflatePool::Work()
{
    z_stream stream{};
    const bool ready = deflateInit2(&stream, level_, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    for (;;) {
        std::shared_ptr<Piece> piece;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            queued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty())
                break;
            piece = queue_.front();
            queue_.pop_front();
        }
        bool ok = ready && deflateReset(&stream) == Z_OK;
        if (ok && !piece->dictionary.empty())
            ok = deflateSetDictionary(&stream, piece->dictionary.data(),
                                      static_cast<uInt>(piece->dictionary.size())) == Z_OK;
        if (ok) {
            // Room for the worst case, plus the sync marker, so that one call does it all.
            piece->output.resize(deflateBound(&stream, static_cast<uLong>(piece->input.size())) + 16);
            stream.next_in = piece->input.data();
            stream.avail_in = static_cast<uInt>(piece->input.size());
            stream.next_out = piece->output.data();
            stream.avail_out = static_cast<uInt>(piece->output.size());
            const int status = deflate(&stream, piece->last ? Z_FINISH : Z_SYNC_FLUSH);
            ok = piece->last ? status == Z_STREAM_END
                             : (status == Z_OK && stream.avail_in == 0 && stream.avail_out > 0);
            piece->output.resize(piece->output.size() - stream.avail_out);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            piece->failed = !ok;
            piece->done = true;
        }
        finished_.notify_all();
    }
    if (ready)
        deflateEnd(&stream);
}

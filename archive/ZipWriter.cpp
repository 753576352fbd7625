#include "archive/ZipWriter.h"

#include "archive/ZipDeflatePool.h"
#include "archive/ZipEntrySource.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>

namespace {

// Large blocks keep the number of system calls low: a small file costs one read, and
// its whole entry goes to the target in one write.
constexpr size_t OutputBufferSize = 1 << 20;
constexpr size_t InputBufferSize = 1 << 20;
constexpr int DeflateLevel = 8;

// Entries from this size on are deflated in pieces on several threads.
constexpr unsigned long long PiecewiseFrom = 1 << 20;
constexpr size_t PieceSize = 256 * 1024;

}  // namespace

TZip::TZip() = default;

TZip::~TZip()
{
    ReleaseTarget();
    if (deflaterReady_)
        deflateEnd(&deflater_);
}

ZipResult TZip::OpenTarget(void* target, DWORD size, ZipSourceKind kind)
{
    if (file_.Valid() || mapping_ || memory_ || runningOffset_ || sticky_ || finished_)
        return ZipErrNotFresh;
    switch (kind) {
    case ZipSourceKind::Handle: {
        HANDLE duplicate;
        if (!DuplicateHandle(GetCurrentProcess(), static_cast<HANDLE>(target), GetCurrentProcess(),
                             &duplicate, 0, FALSE, DUPLICATE_SAME_ACCESS))
            return ZipErrDuplicate;
        file_ = FileHandle(duplicate);
        seekable_ = GetFileType(duplicate) == FILE_TYPE_DISK;
        if (seekable_) {
            // An archive written into the middle of a file records offsets from the file's start.
            LONG high = 0;
            DWORD low = SetFilePointer(duplicate, 0, &high, FILE_CURRENT);
            if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
                low = 0, high = 0;
            initialOffset_ = (static_cast<unsigned long long>(static_cast<DWORD>(high)) << 32) | low;
        }
        break;
    }
    case ZipSourceKind::FileName: {
        if (!target)
            return ZipErrArgument;
        file_ = FileHandle(CreateFileA(static_cast<const char*>(target), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_.Valid())
            return ZipErrOpenFile;
        seekable_ = true;
        break;
    }
    case ZipSourceKind::Memory:
        if (size == 0)
            return ZipErrMemoryFull;
        if (target) {
            memory_ = static_cast<unsigned char*>(target);
        } else {
            mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, nullptr);
            if (!mapping_)
                return ZipErrMapping;
            memory_ = static_cast<unsigned char*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, size));
            if (!memory_) {
                CloseHandle(mapping_);
                mapping_ = nullptr;
                return ZipErrMapping;
            }
        }
        capacity_ = size;
        seekable_ = true;
        break;
    default:
        return ZipErrArgument;
    }
    if (file_.Valid())
        output_.resize(OutputBufferSize);
    return ZipOk;
}

ZipResult TZip::AddEntry(const char* name, const void* source, DWORD length, ZipSourceKind kind)
{
    if (sticky_)
        return ZipErrPending;
    if (finished_)
        return ZipErrFinished;
    if (!name || !*name)
        return ZipErrArgument;

    ZipEntryRecord entry;
    entry.name = name;
    std::replace(entry.name.begin(), entry.name.end(), '\\', '/');
    const bool folder = kind == ZipSourceKind::Folder;
    if (folder && entry.name.back() != '/')
        entry.name += '/';
    if (entry.name.size() > ZipMaxNameLength)
        return ZipErrArgument;
    if (entries_.size() >= ZipMaxEntries)
        return ZipErrTooLarge;
    entry.method = (folder || IsStoredSuffix(entry.name.c_str())) ? ZipMethodStored : ZipMethodDeflated;

    ZipEntrySource data;
    ZipResult opened = data.Open(source, length, kind);
    if (opened != ZipOk)
        return opened;

    // Refused before anything is written: the archive stays as it was.
    const unsigned long long declared = data.DeclaredLength();
    const bool lengthKnown = declared != ZipEntrySource::UnknownLength;
    const unsigned long long headerOffset = runningOffset_;
    if ((lengthKnown && declared > ZipMax32) || initialOffset_ + headerOffset > ZipMax32)
        return ZipErrTooLarge;

    entry.flags = ZipFlagDataDescriptor;
    entry.localFlags = ZipFlagDataDescriptor;
    entry.dosDateTime = data.DosDateTime();
    entry.packedSize = (entry.method == ZipMethodStored && lengthKnown) ? static_cast<DWORD>(declared) : 0;
    entry.unpackedSize = lengthKnown ? static_cast<DWORD>(declared) : 0xFFFFFFFF;
    entry.externalAttributes = data.ExternalAttributes();
    entry.localHeaderOffset = static_cast<DWORD>(initialOffset_ + headerOffset);
    SetTimeExtras(entry, data.ModifiedTime(), data.AccessedTime(), data.CreatedTime());
    const DWORD declaredPacked = entry.packedSize;

    const ZipWriteCallback emit = [this](const void* bytes, size_t count) { return Emit(bytes, count); };
    if (WriteLocalFileHeader(entry, emit) != 0)
        return ZipErrWrite;
    if (sticky_)
        return sticky_;

    bytesRead_ = 0;
    crc_ = crc32(0, Z_NULL, 0);
    const unsigned long long dataOffset = runningOffset_;
    DataOutcome outcome = DataOutcome::Done;
    if (entry.method == ZipMethodDeflated && lengthKnown && declared >= PiecewiseFrom &&
        ZipDeflatePool::UsefulThreads() > 1)
        outcome = DeflateInPieces(data);
    else if (entry.method == ZipMethodDeflated)
        outcome = DeflateData(data);
    else if (!folder)
        outcome = StoreData(data);
    data.Close();

    if (outcome == DataOutcome::TooLarge) {
        RollBackTo(headerOffset);
        return ZipErrTooLarge;
    }
    if (sticky_)
        return sticky_;
    if (outcome == DataOutcome::Failed)
        return ZipErrWrite;

    entry.crc = crc_;
    entry.packedSize = static_cast<DWORD>(runningOffset_ - dataOffset);
    entry.unpackedSize = static_cast<DWORD>(bytesRead_);
    entry.externalAttributes = data.ExternalAttributes();

    if (seekable_) {
        entry.flags = 0;
        entry.localFlags = 0;
        ZipResult patched = PatchLocalHeader(entry, headerOffset);
        if (patched != ZipOk)
            return patched;
    } else {
        if (entry.method == ZipMethodStored && entry.packedSize != declaredPacked)
            return ZipErrStreamChange;
        if (WriteDataDescriptor(entry, emit) != 0)
            return ZipErrWrite;
    }
    // The entry counts as added only once all of it has reached the target.
    if (!Flush())
        return sticky_ ? sticky_ : ZipErrWrite;
    if (sticky_)
        return sticky_;
    entries_.push_back(std::move(entry));
    return ZipOk;
}

bool TZip::ReadSource(ZipEntrySource& source, const unsigned char*& data, size_t& size, bool& failed)
{
    if (input_.empty())
        input_.resize(InputBufferSize);
    if (!source.Next(input_, data, size)) {
        failed = true;
        return false;
    }
    bytesRead_ += size;
    if (size)
        crc_ = crc32(crc_, data, static_cast<uInt>(size));
    return size != 0;
}

bool TZip::BeyondFormat() const
{
    // The next record's offset must fit as well, and so must the descriptor of a stream.
    const unsigned long long end = initialOffset_ + runningOffset_ + (seekable_ ? 0 : ZipDataDescriptorSize);
    return bytesRead_ > ZipMax32 || end > ZipMax32;
}

TZip::DataOutcome TZip::StoreData(ZipEntrySource& source)
{
    const unsigned char* data;
    size_t size;
    bool failed = false;
    while (ReadSource(source, data, size, failed)) {
        if (BeyondFormat())
            return DataOutcome::TooLarge;
        if (!Emit(data, size))
            return DataOutcome::Failed;
        if (BeyondFormat())
            return DataOutcome::TooLarge;
    }
    return failed ? DataOutcome::Failed : DataOutcome::Done;
}

TZip::DataOutcome TZip::DeflateData(ZipEntrySource& source)
{
    if (!deflaterReady_) {
        if (deflateInit2(&deflater_, DeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            return DataOutcome::Failed;
        deflaterReady_ = true;
    } else if (deflateReset(&deflater_) != Z_OK) {
        return DataOutcome::Failed;
    }
    int flush;
    do {
        const unsigned char* data = nullptr;
        size_t size = 0;
        bool failed = false;
        if (!ReadSource(source, data, size, failed) && failed)
            return DataOutcome::Failed;
        if (BeyondFormat())
            return DataOutcome::TooLarge;
        deflater_.next_in = const_cast<Bytef*>(data);
        deflater_.avail_in = static_cast<uInt>(size);
        flush = size ? Z_NO_FLUSH : Z_FINISH;
        do {
            size_t available;
            unsigned char* out = Reserve(available);
            if (!out)
                return DataOutcome::Failed;
            const uInt room = static_cast<uInt>(std::min<size_t>(available, UINT_MAX));
            deflater_.next_out = out;
            deflater_.avail_out = room;
            if (deflate(&deflater_, flush) == Z_STREAM_ERROR)
                return DataOutcome::Failed;
            Commit(room - deflater_.avail_out);
            if (BeyondFormat())
                return DataOutcome::TooLarge;
        } while (deflater_.avail_out == 0);
    } while (flush != Z_FINISH);
    return DataOutcome::Done;
}

TZip::DataOutcome TZip::DeflateInPieces(ZipEntrySource& source)
{
    using Piece = ZipDeflatePool::Piece;
    if (!pool_)
        pool_ = std::make_unique<ZipDeflatePool>(ZipDeflatePool::UsefulThreads(), DeflateLevel);
    const size_t mostInFlight = 2 * pool_->Threads();
    std::deque<std::shared_ptr<Piece>> inFlight;

    // Pieces are written in their order; a failure waits for the rest before leaving.
    auto settle = [&](DataOutcome outcome) {
        for (const std::shared_ptr<Piece>& piece : inFlight)
            pool_->WaitFor(*piece);
        return outcome;
    };
    auto writeOldest = [&] {
        std::shared_ptr<Piece> piece = inFlight.front();
        pool_->WaitFor(*piece);
        inFlight.pop_front();
        if (piece->failed || !Emit(piece->output.data(), piece->output.size()))
            return DataOutcome::Failed;
        return BeyondFormat() ? DataOutcome::TooLarge : DataOutcome::Done;
    };
    auto submit = [&](const std::shared_ptr<Piece>& piece) {
        while (inFlight.size() >= mostInFlight) {
            DataOutcome outcome = writeOldest();
            if (outcome != DataOutcome::Done)
                return outcome;
        }
        pool_->Submit(piece);
        inFlight.push_back(piece);
        return DataOutcome::Done;
    };

    // A full piece waits until the next one has data, so that the last piece of the
    // entry is known when it is handed out.
    std::shared_ptr<Piece> waiting;
    auto filling = std::make_shared<Piece>();
    const unsigned char* data;
    size_t size;
    bool failed = false;
    while (ReadSource(source, data, size, failed)) {
        if (BeyondFormat())
            return settle(DataOutcome::TooLarge);
        while (size) {
            const size_t take = std::min(size, PieceSize - filling->input.size());
            filling->input.insert(filling->input.end(), data, data + take);
            data += take;
            size -= take;
            if (filling->input.size() < PieceSize)
                continue;
            if (waiting) {
                DataOutcome outcome = submit(waiting);
                if (outcome != DataOutcome::Done)
                    return settle(outcome);
            }
            waiting = filling;
            filling = std::make_shared<Piece>();
            filling->dictionary.assign(waiting->input.end() - ZipDeflatePool::DictionarySize, waiting->input.end());
        }
    }
    if (failed)
        return settle(DataOutcome::Failed);
    if (!filling->input.empty() || !waiting) {
        if (waiting) {
            DataOutcome outcome = submit(waiting);
            if (outcome != DataOutcome::Done)
                return settle(outcome);
        }
        waiting = filling;
    }
    waiting->last = true;
    DataOutcome outcome = submit(waiting);
    while (outcome == DataOutcome::Done && !inFlight.empty())
        outcome = writeOldest();
    return settle(outcome);
}

unsigned char* TZip::Reserve(size_t& available)
{
    if (memory_) {
        // A block of N bytes holds at most N-1 archive bytes.
        if (runningOffset_ + 1 >= capacity_) {
            sticky_ = ZipErrMemoryFull;
            return nullptr;
        }
        available = static_cast<size_t>(capacity_ - 1 - runningOffset_);
        return memory_ + runningOffset_;
    }
    if (!file_.Valid()) {
        sticky_ = ZipErrNotFresh;
        return nullptr;
    }
    size_t pending = static_cast<size_t>(runningOffset_ - flushedOffset_);
    if (pending == output_.size()) {
        if (!Flush())
            return nullptr;
        pending = 0;
    }
    available = output_.size() - pending;
    return output_.data() + pending;
}

bool TZip::Emit(const void* data, size_t count)
{
    if (memory_) {
        if (runningOffset_ + count >= capacity_) {
            sticky_ = ZipErrMemoryFull;
            return false;
        }
        std::memcpy(memory_ + runningOffset_, data, count);
        runningOffset_ += count;
        return true;
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    while (count) {
        size_t available;
        unsigned char* out = Reserve(available);
        if (!out)
            return false;
        size_t part = std::min(available, count);
        std::memcpy(out, bytes, part);
        Commit(part);
        bytes += part;
        count -= part;
    }
    return true;
}

bool TZip::Flush()
{
    if (!file_.Valid())
        return memory_ != nullptr;
    const DWORD pending = static_cast<DWORD>(runningOffset_ - flushedOffset_);
    if (pending == 0)
        return true;
    DWORD written = 0;
    BOOL ok = WriteFile(file_.Get(), output_.data(), pending, &written, nullptr);
    // What did not reach the target is dropped, so that the offsets recorded from now on
    // describe the bytes that are really there.
    flushedOffset_ += written;
    runningOffset_ = flushedOffset_;
    return ok && written == pending;
}

bool TZip::SeekFile(unsigned long long offset)
{
    const unsigned long long position = initialOffset_ + offset;
    LONG high = static_cast<LONG>(position >> 32);
    DWORD low = SetFilePointer(file_.Get(), static_cast<LONG>(position & 0xFFFFFFFF), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

ZipResult TZip::PatchLocalHeader(const ZipEntryRecord& entry, unsigned long long headerOffset)
{
    unsigned char fixed[ZipLocalHeaderSize];
    EncodeLocalHeaderFixed(entry, fixed);
    if (memory_) {
        std::memcpy(memory_ + headerOffset, fixed, sizeof fixed);
        return ZipOk;
    }
    // A small entry is still wholly in the buffer: mend it there and write it once.
    if (headerOffset >= flushedOffset_) {
        std::memcpy(output_.data() + (headerOffset - flushedOffset_), fixed, sizeof fixed);
        return ZipOk;
    }
    if (!Flush())
        return ZipErrWrite;
    if (!SeekFile(headerOffset))
        return ZipErrNotSeekable;
    DWORD written = 0;
    BOOL ok = WriteFile(file_.Get(), fixed, sizeof fixed, &written, nullptr);
    if (!SeekFile(runningOffset_)) {
        // Later writes would land inside this entry's data.
        sticky_ = ZipErrNotSeekable;
        return ZipErrNotSeekable;
    }
    return (ok && written == sizeof fixed) ? ZipOk : ZipErrWrite;
}

void TZip::RollBackTo(unsigned long long offset)
{
    if (!seekable_) {
        // A stream cannot take back what it sent, and no later offset would fit.
        sticky_ = ZipErrTooLarge;
        return;
    }
    if (memory_ || offset >= flushedOffset_) {
        runningOffset_ = offset;
        return;
    }
    runningOffset_ = flushedOffset_;
    if (!SeekFile(offset) || !SetEndOfFile(file_.Get())) {
        sticky_ = ZipErrTooLarge;
        return;
    }
    flushedOffset_ = runningOffset_ = offset;
}

ZipResult TZip::Finish()
{
    ZipResult result = ZipOk;
    if (!finished_)
        result = WriteCentralDirectory();
    finished_ = true;
    ReleaseTarget();
    return result;
}

ZipResult TZip::WriteCentralDirectory()
{
    const ZipWriteCallback emit = [this](const void* bytes, size_t count) { return Emit(bytes, count); };
    const unsigned long long start = runningOffset_;
    bool failed = false;
    for (const ZipEntryRecord& entry : entries_) {
        if (WriteCentralDirEntry(entry, emit) != 0) {
            failed = true;
            break;
        }
    }
    const WORD count = static_cast<WORD>(entries_.size());
    entries_.clear();
    const unsigned long long directorySize = runningOffset_ - start;
    const unsigned long long directoryOffset = initialOffset_ + start;
    if (directoryOffset > ZipMax32 || directorySize > ZipMax32)
        return ZipErrTooLarge;
    if (!failed && WriteEndOfCentralDir(count, static_cast<DWORD>(directorySize),
                                        static_cast<DWORD>(directoryOffset), emit) != 0)
        failed = true;
    if (!Flush())
        failed = true;
    return failed ? ZipErrWrite : ZipOk;
}

void TZip::ReleaseTarget()
{
    if (mapping_) {
        UnmapViewOfFile(memory_);
        CloseHandle(mapping_);
        mapping_ = nullptr;
    }
    memory_ = nullptr;
    file_.Close();
}

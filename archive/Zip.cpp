#include "archive/Zip.h"

#include "archive/ZipReader.h"
#include "archive/ZipWriter.h"

namespace {

ZipResult writerLastResult = ZipOk;
ZipResult readerLastResult = ZipOk;

ZipResult Remember(ZipResult& variable, ZipResult result)
{
    variable = result;
    return result;
}

// The handle's writer, or the result that refuses the call.
ZipResult WriterOf(ZipHandle handle, TZip*& writer)
{
    if (!handle)
        return ZipErrArgument;
    if (handle->kind != ZipHandleKind::Writer)
        return ZipErrWrongHandle;
    writer = static_cast<TZip*>(handle->object);
    return ZipOk;
}

ZipResult ReaderOf(ZipHandle handle, TUnzip*& reader)
{
    if (!handle)
        return ZipErrArgument;
    if (handle->kind != ZipHandleKind::Reader)
        return ZipErrWrongHandle;
    reader = static_cast<TUnzip*>(handle->object);
    return ZipOk;
}

}  // namespace

ZipHandle ZipWriterOpen(void* target, DWORD size, ZipSourceKind kind)
{
    TZip* writer = new TZip;
    if (Remember(writerLastResult, writer->OpenTarget(target, size, kind)) != ZipOk) {
        delete writer;
        return nullptr;
    }
    return new ZipHandleRecord{ZipHandleKind::Writer, writer};
}

ZipResult ZipWriterAdd(ZipHandle handle, const char* name, const void* source, DWORD length, ZipSourceKind kind)
{
    TZip* writer = nullptr;
    ZipResult result = WriterOf(handle, writer);
    if (result == ZipOk)
        result = writer->AddEntry(name, source, length, kind);
    return Remember(writerLastResult, result);
}

ZipResult ZipWriterClose(ZipHandle handle)
{
    TZip* writer = nullptr;
    ZipResult result = WriterOf(handle, writer);
    if (result != ZipOk)
        return Remember(writerLastResult, result);
    result = writer->Finish();
    delete writer;
    delete handle;
    return Remember(writerLastResult, result);
}

ZipResult ZipWriterLastResult()
{
    return writerLastResult;
}

ZipHandle ZipReaderOpen(const void* source, DWORD length, ZipSourceKind kind)
{
    TUnzip* reader = new TUnzip;
    if (Remember(readerLastResult, reader->OpenArchive(source, length, kind)) != ZipOk) {
        delete reader;
        return nullptr;
    }
    return new ZipHandleRecord{ZipHandleKind::Reader, reader};
}

ZipResult ZipReaderGetItem(ZipHandle handle, int index, ZipItemInfo* info)
{
    TUnzip* reader = nullptr;
    ZipResult result = ReaderOf(handle, reader);
    if (result == ZipOk)
        result = info ? reader->GetItem(index, *info) : ZipErrArgument;
    return Remember(readerLastResult, result);
}

ZipResult ZipReaderUnzipItem(ZipHandle handle, int index, void* target, DWORD length, ZipSourceKind kind)
{
    TUnzip* reader = nullptr;
    ZipResult result = ReaderOf(handle, reader);
    if (result == ZipOk)
        result = reader->ExtractItem(index, target, length, kind);
    return Remember(readerLastResult, result);
}

ZipResult ZipReaderClose(ZipHandle handle)
{
    TUnzip* reader = nullptr;
    ZipResult result = ReaderOf(handle, reader);
    if (result != ZipOk)
        return Remember(readerLastResult, result);
    delete reader;
    delete handle;
    return Remember(readerLastResult, ZipOk);
}

ZipResult ZipReaderLastResult()
{
    return readerLastResult;
}

bool IsZipReaderHandle(ZipHandle handle)
{
    return !handle || handle->kind == ZipHandleKind::Reader;
}

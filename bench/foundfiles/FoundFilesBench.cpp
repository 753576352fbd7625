// Times what the found-files window does with a large list in one go: sorting the
// records by a column, finding the selected records' new rows, filling type names.
#include "cleaning/FoundFilesView.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int recordCount = 100000;

const char* const endings[] = {".txt", ".bak", ".dll", ".tmp", ".jpg", ".old", ".html", ".doc", ".chk", ""};

void MakeRecords(TObjectList<FoundFileRecord>& records)
{
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < recordCount; ++i) {
        auto* record = new FoundFileRecord;
        std::string name = "file" + std::to_string(next() % 50000) + endings[i % 10];
        record->displayName = name;
        record->path = "C:\\Data\\folder" + std::to_string(next() % 5000) + "\\" + name;
        record->size = next() % 100000000;
        record->sizeText = std::to_string(record->size);
        unsigned long long time = 0x01C0000000000000ULL + next() * 1000ULL;
        record->lastWrite = {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
        record->attributes = (i % 3 == 0) ? "A" : (i % 3 == 1) ? "RA" : "";
        records.Add(record);
    }
}

double Milliseconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main()
{
    TObjectList<FoundFileRecord> records;
    MakeRecords(records);

    auto start = std::chrono::steady_clock::now();
    found_files::FillMissingTypeNames(records, [](const std::string& ending) { return "Type " + ending; });
    std::printf("type names for %d records: %8.1f ms\n", recordCount, Milliseconds(start));

    std::vector<const FoundFileRecord*> chosen;
    for (int i = 0; i < recordCount; i += 2)
        chosen.push_back(records.Items(i));

    const char* const names[] = {"name", "path", "size", "type", "date", "attributes"};
    for (int column = 0; column < found_files::columnCount; ++column) {
        for (bool ascending : {true, false}) {
            start = std::chrono::steady_clock::now();
            found_files::SortRecords(records, column, ascending);
            double sorted = Milliseconds(start);
            start = std::chrono::steady_clock::now();
            size_t rows = found_files::RowsOf(records, chosen).size();
            std::printf("sort by %-10s %-10s %8.1f ms, %zu selected rows found again in %6.1f ms\n", names[column],
                        ascending ? "ascending" : "descending", sorted, rows, Milliseconds(start));
        }
    }
    return 0;
}

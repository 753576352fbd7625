#include "system/DriveFacts.h"

#include "common/Language.h"
#include "toolkit/NoDiskBoxes.h"
#include "toolkit/NumberText.h"

#include <cstdio>

namespace drivefacts {

namespace {

std::string Decimal(uint64_t number) { return std::to_string(number); }

} // namespace

Facts Read(const std::string& root)
{
    NoDiskBoxes quiet;
    Facts facts;
    ULARGE_INTEGER available{}, total{}, free{};
    if (GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free) && free.QuadPart <= total.QuadPart) {
        facts.haveSpace = true;
        facts.total = total.QuadPart;
        facts.free = free.QuadPart;
    }
    char label[261] = {}, fileSystem[261] = {};
    facts.haveVolume = GetVolumeInformationA(root.c_str(), label, sizeof label, &facts.serial, &facts.maxNameLength,
                                             &facts.flags, fileSystem, sizeof fileSystem) != FALSE;
    if (facts.haveVolume) {
        facts.label = label;
        facts.fileSystem = fileSystem;
    }
    facts.haveGeometry = GetDiskFreeSpaceA(root.c_str(), &facts.sectorsPerCluster, &facts.bytesPerSector,
                                           &facts.freeClusters, &facts.totalClusters) != FALSE;
    return facts;
}

std::string SpaceText(uint64_t bytes, bool german)
{
    const double megabytes = static_cast<double>(bytes) / 1048576.0;
    if (megabytes < 1024)
        return DecimalText(megabytes, 1, german) + " MB";
    return DecimalText(megabytes / 1024.0, 2, german) + " GB";
}

std::string SerialText(DWORD serial)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(serial >> 16),
                  static_cast<unsigned>(serial & 0xFFFF));
    return text;
}

char LetterOfCaption(const std::string& caption)
{
    const size_t end = caption.rfind(":)");
    return end == std::string::npos || end == 0 ? 0 : caption[end - 1];
}

std::vector<Row> Rows(const Facts& f, bool german)
{
    auto space = [&](uint64_t bytes) { return f.haveSpace ? SpaceText(bytes, german) : std::string(); };
    auto volume = [&](const std::string& value) { return f.haveVolume ? value : std::string(); };
    auto geometry = [&](uint64_t value) { return f.haveGeometry ? Decimal(value) : std::string(); };
    // The feature rows carry the file system's own English terms in both languages.
    auto feature = [&](const char* caption, DWORD flag) {
        if (!f.haveVolume)
            return Row{caption, 1, ""};
        const bool present = (f.flags & flag) != 0;
        return Row{caption, present ? 2 : 3,
                   present ? language::Text(german, "Ja", "Yes") : language::Text(german, "Nein", "No")};
    };
    return {
        {language::Text(german, "Allgemeine Laufwerksinformationen", "General Drive Info"), 0, ""},
        {language::Text(german, "Gesamter Speicher", "Total Space"), 1, space(f.total)},
        {language::Text(german, "Belegter Speicher", "Used Space"), 1, space(f.total - f.free)},
        {language::Text(german, "Freier Speicher", "Free Space"), 1, space(f.free)},
        {"", -1, ""},
        {"Information", 0, ""},
        {language::Text(german, "Dateisystem", "File System"), 1, volume(f.fileSystem)},
        {language::Text(german, "Datenträgername", "Volume Name"), 1, volume(f.label)},
        {language::Text(german, "Seriennummer", "Serial Number"), 1,
         f.haveVolume ? SerialText(f.serial) : std::string()},
        {"", -1, ""},
        {language::Text(german, "Eigenschaften", "Properties"), 0, ""},
        {language::Text(german, "Maximale Dateinamenlänge", "Maximum Filename Length"), 1,
         f.haveVolume ? Decimal(f.maxNameLength) : std::string()},
        feature("Preserves Filename Case", FILE_CASE_PRESERVED_NAMES),
        feature("Supports case-sensitive filenames", FILE_CASE_SENSITIVE_SEARCH),
        feature("Supports Unicode in filenames ", FILE_UNICODE_ON_DISK),
        feature("Supports Access ControlLists ", FILE_PERSISTENT_ACLS),
        feature("Supports file-based compression ", FILE_FILE_COMPRESSION),
        feature("Volume is a compressed volume ", FILE_VOLUME_IS_COMPRESSED),
        {"", -1, ""},
        {language::Text(german, "Logisches Laufwerk", "Logical Drive"), 0, ""},
        {language::Text(german, "Sektoren pro Cluster", "Sektors per Cluster"), 1, geometry(f.sectorsPerCluster)},
        {language::Text(german, "Bytes pro Sektor", "Bytes per Sector"), 1, geometry(f.bytesPerSector)},
        {language::Text(german, "Anzahl freier Cluster", "Number of free Cluster"), 1, geometry(f.freeClusters)},
        {language::Text(german, "Cluster gesamt", "Total Cluster"), 1, geometry(f.totalClusters)},
        {language::Text(german, "Bytes pro Cluster ", "Bytes per Cluster"), 1,
         geometry(static_cast<uint64_t>(f.sectorsPerCluster) * f.bytesPerSector)},
    };
}

} // namespace drivefacts

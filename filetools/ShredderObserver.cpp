#include "common/Language.h"
#include "filetools/ShredderObserver.h"

#include <cstdio>

std::string DescribeShredderStatus(const ShredderStatus& status, bool german)
{
    switch (status.kind) {
    case ShredderStatus::DeletingFile:
        return (language::Text(german, "Lösche Datei: ", "Deleting file: ")) + status.path;
    case ShredderStatus::ScramblingName:
        return language::Text(german, "Überschreibe Dateinamen . . .", "Overwriting file name . . .");
    case ShredderStatus::Pass:
        return (language::Text(german, "Durchgang #", "Pass #")) + std::to_string(status.pass) + " / " +
               std::to_string(status.passes);
    }
    return std::string();
}

void ShredderObserver::Print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

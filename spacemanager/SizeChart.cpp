#include "common/Language.h"
#include "spacemanager/SizeChart.h"

#include <algorithm>
#include <random>

const TColor ChartColours[20] = {0x00FFFF, 0x0000FF, 0xFF0000, 0x008000, 0xC0C0C0, 0x808000, 0x000080,
                                 0x008080, 0xABFFED, 0xFF00FF, 0x00EFAC, 0xAABBCC, 0xFFADEB, 0x1155AA,
                                 0x33BB22, 0x6611F0, 0xF3F25A, 0x347890, 0xE356FF, 0x45FDAB};

namespace {

std::string FileNamePart(const std::string& path)
{
    std::string::size_type slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Count(double count) { return std::to_string(static_cast<long long>(count)); }

} // namespace

SizeChartModel BuildSizeChart(const std::vector<DirItem>& items, const ListingTotals& totals,
                              int64_t largestSize, const SizeChartLimits& limits, bool german)
{
    SizeChartModel chart;
    double largest = static_cast<double>(largestSize);
    double folderLimit = limits.folderBars, fileLimit = limits.fileBars;
    int bars = static_cast<int>(items.size());
    // Folder places not taken go to the files.
    if (totals.folderCount < folderLimit)
        fileLimit = folderLimit + fileLimit - totals.folderCount;
    const bool filesGrouped = totals.fileCount > fileLimit;
    if (filesGrouped) {
        largest = std::max(largest, static_cast<double>(totals.fileBytes));
        bars = bars - static_cast<int>(totals.fileCount) + 1;
        folderLimit = folderLimit + fileLimit - 2;
    }
    const bool foldersGrouped = totals.folderCount > folderLimit;
    if (foldersGrouped) {
        largest = std::max(largest, static_cast<double>(totals.folderBytes));
        bars = bars - static_cast<int>(totals.folderCount) + 1;
    }
    chart.barCount = bars;
    chart.unit = "Bytes";
    if (largest < 1048576.0 && largest > 1024.0) {
        chart.unit = "KB";
        chart.divisor = 1024.0;
    } else if (largest > 1048576.0) {
        chart.unit = "MB";
        chart.divisor = 1048576.0;
    }
    chart.axisMaximum = largest / chart.divisor;

    std::minstd_rand colours(20061208u);
    int colour = 0;
    auto add = [&](double bytes, const std::string& label) {
        chart.bars.push_back({static_cast<double>(static_cast<int64_t>(bytes / chart.divisor)), label,
                              ChartColours[colour]});
        colour = static_cast<int>(colours() % 20);
    };
    auto addRows = [&](bool folders) {
        for (auto row = items.rbegin(); row != items.rend(); ++row)
            if ((row->IsFolder != 0) == folders)
                add(static_cast<double>(row->Size), folders ? row->DisplayName : FileNamePart(row->ParsingName));
    };
    const std::string folderGroup = language::Text(german, "[Ordner(", "[Folders(") + Count(totals.folderCount) + ")]";
    const std::string fileGroup = language::Text(german, "[Dateien(", "[Files(") + Count(totals.fileCount) + ")]";
    if (!filesGrouped && !foldersGrouped) {
        for (auto row = items.rbegin(); row != items.rend(); ++row)
            add(static_cast<double>(row->Size), row->IsFolder ? row->DisplayName : FileNamePart(row->ParsingName));
    } else if (filesGrouped && !foldersGrouped) {
        addRows(true);
        add(static_cast<double>(totals.fileBytes), fileGroup);
    } else if (foldersGrouped && !filesGrouped) {
        addRows(false);
        add(static_cast<double>(totals.folderBytes), folderGroup);
    } else {
        add(static_cast<double>(totals.folderBytes), folderGroup);
        add(static_cast<double>(totals.fileBytes), fileGroup);
    }
    return chart;
}

int ChartZoomIn(int zoom) { return zoom + 10; }

int ChartZoomOut(int zoom) { return std::max(zoom - 10, 10); }

SizeChartLayout LayOutSizeChart(int frameWidth, int frameHeight, int bars)
{
    SizeChartLayout layout;
    layout.boxWidth = std::max(frameWidth - 4, 0);
    layout.chartWidth = std::max(layout.boxWidth - 22, 0);
    layout.scrolledHeight = std::max(bars * 20 > frameHeight - 10 ? bars * 20 : frameHeight, 0);
    layout.chartHeight = std::max(layout.scrolledHeight - 22, 0);
    return layout;
}

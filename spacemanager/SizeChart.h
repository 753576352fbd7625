// The bars of the space manager's size chart, made from a listing: one bar per folder
// or file, and a folder or file group bar with a count when a kind has too many items.
#pragma once

#include "spacemanager/DirItems.h"
#include "toolkit/Chart.h"

#include <cstdint>
#include <string>
#include <vector>

// The table the bar colours are drawn from, in TColor byte order.
extern const TColor ChartColours[20];

struct SizeChartModel {
    std::string unit;         // "Bytes", "KB" or "MB": the bars and the axis alike
    double divisor = 1;
    int barCount = 0;
    double axisMaximum = 0;   // the largest bar, in unit
    std::vector<TChartValue> bars;
};

struct SizeChartLimits {
    double folderBars = 50.0;
    double fileBars = 50.0;
};

// The bars from the last row to the first. Colours come from a generator with a fixed
// seed, so the same listing always gives the same picture.
SizeChartModel BuildSizeChart(const std::vector<DirItem>& items, const ListingTotals& totals,
                              int64_t largestSize, const SizeChartLimits& limits, bool german);

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

// The chart's zoom in percent, one step of the tool bar: in without bound, out not below 10.
int ChartZoomIn(int zoom);
int ChartZoomOut(int zoom);

// Where the chart goes in its frame. The scroll box leaves the frame a small margin and
// the chart leaves room for the box's scroll bar; the scrolled height is the frame's, or
// 20 pixels per bar when that is more, so that many bars stay readable and scroll.
struct SizeChartLayout {
    int boxWidth = 0;
    int scrolledHeight = 0;
    int chartWidth = 0;
    int chartHeight = 0;
};
SizeChartLayout LayOutSizeChart(int frameWidth, int frameHeight, int bars);

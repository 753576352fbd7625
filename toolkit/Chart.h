// TChart: a thin chart painter for the pages that show sizes (the drive page's used and
// free space, the space manager's folder sizes): a pie or horizontal bars, one slice or
// bar per value, each with its label and colour, and a legend of the labels that can be
// hidden (beside the plot, or under it when the chart is too narrow for both). A 3D view
// gives bars and pie a depth, and a zoom scales the plot. No axes, no series objects: a
// caller that wants another look clears and adds again.
#pragma once

#include "toolkit/Controls.h"

#include <string>
#include <vector>

enum class TChartStyle { Pie, HorizontalBars };

struct TChartValue {
    double value = 0;   // a negative value counts as 0
    std::string label;
    TColor color = clBlack;
};

class TChart : public TCustomControl {
public:
    explicit TChart(TComponent* owner);

    TChartStyle Style() const { return style_; }
    void SetStyle(TChartStyle style);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    void Clear();
    void Add(double value, const std::string& label, TColor color);
    const std::vector<TChartValue>& Values() const { return values_; }
    bool LegendVisible() const { return legend_; }
    void SetLegendVisible(bool visible);
    bool View3D() const { return view3D_; }
    void SetView3D(bool on);
    // Percent of the plot's own size, scaled about the plot's centre; what grows beyond
    // the plot is cut off, and title and legend keep their size.
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);

protected:
    void Paint(HDC dc, const TRect& client) override;

private:
    void PaintPie(HDC dc, const RECT& area) const;
    void PaintPieLayer(HDC dc, const RECT& ellipse, int shadePercent) const;
    void PaintBars(HDC dc, const RECT& area) const;
    void PaintLegend(HDC dc, const RECT& area) const;

    TChartStyle style_ = TChartStyle::Pie;
    std::string title_;
    std::vector<TChartValue> values_;
    bool legend_ = true;
    bool view3D_ = false;
    int zoom_ = 100;
};

// Each value's share of the sum (0 to 1), negatives counted as 0; all 0 when the sum is 0.
std::vector<double> ChartShares(const std::vector<TChartValue>& values);

// The colour with each of its red, green and blue parts cut to percent: the hidden faces
// of a 3D bar or pie.
TColor ChartShade(TColor color, int percent);

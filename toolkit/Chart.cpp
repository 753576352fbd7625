#include "toolkit/Chart.h"

#include "toolkit/Graphics.h"

#include <algorithm>
#include <cmath>

namespace {

// Selects a GDI object for the life of the scope and deletes it afterwards.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~Selected()
    {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
};

constexpr int legendWidth = 150;
constexpr int lineHeight = 18;

} // namespace

std::vector<double> ChartShares(const std::vector<TChartValue>& values)
{
    double sum = 0;
    for (const TChartValue& v : values)
        sum += std::max(v.value, 0.0);
    std::vector<double> shares;
    for (const TChartValue& v : values)
        shares.push_back(sum > 0 ? std::max(v.value, 0.0) / sum : 0.0);
    return shares;
}

TColor ChartShade(TColor color, int percent)
{
    const COLORREF rgb = ColorToRGB(color);
    auto part = [percent](BYTE value) { return static_cast<BYTE>(value * percent / 100); };
    return static_cast<TColor>(RGB(part(GetRValue(rgb)), part(GetGValue(rgb)), part(GetBValue(rgb))));
}

TChart::TChart(TComponent* owner) : TCustomControl(owner)
{
    CreateHandle(nullptr, WS_CHILD | WS_VISIBLE, 0);
    SetBounds(0, 0, 300, 200);
    SetColor(clWhite);
}

void TChart::SetStyle(TChartStyle style)
{
    style_ = style;
    Invalidate();
}

void TChart::SetTitle(const std::string& title)
{
    title_ = title;
    Invalidate();
}

void TChart::SetLegendVisible(bool visible)
{
    legend_ = visible;
    Invalidate();
}

void TChart::SetView3D(bool on)
{
    view3D_ = on;
    Invalidate();
}

void TChart::SetZoom(int percent)
{
    zoom_ = std::max(percent, 1);
    Invalidate();
}

void TChart::Clear()
{
    values_.clear();
    Invalidate();
}

void TChart::Add(double value, const std::string& label, TColor color)
{
    values_.push_back({value, label, color});
    Invalidate();
}

void TChart::Paint(HDC dc, const TRect& client)
{
    TCustomControl::Paint(dc, client);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    RECT area = client;
    if (!title_.empty()) {
        RECT titleArea{area.left, area.top + 4, area.right, area.top + 4 + lineHeight};
        DrawTextA(dc, title_.c_str(), -1, &titleArea, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        area.top += lineHeight + 8;
    }
    // The legend stands beside the plot; a chart too narrow to leave the plot at least the
    // legend's width beside it shows the legend under the plot instead.
    const int besideWidth = (area.right - area.left) - 16 - (legendWidth + 8);
    const bool legendBelow = legend_ && besideWidth < legendWidth;
    const int legendSpace = legend_ && !legendBelow ? legendWidth + 8 : 0;
    const int legendHeight = legendBelow ? static_cast<int>(values_.size()) * lineHeight + 4 : 0;
    RECT plot{area.left + 8, area.top + 4, std::max(area.left + 8, area.right - legendSpace - 8),
              std::max(area.top + 4, area.bottom - 8 - legendHeight)};
    // The zoomed plot keeps its centre and stays inside its own place.
    const int dx = (plot.right - plot.left) * (zoom_ - 100) / 200, dy = (plot.bottom - plot.top) * (zoom_ - 100) / 200;
    const RECT zoomed{plot.left - dx, plot.top - dy, plot.right + dx, plot.bottom + dy};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, plot.left, plot.top, plot.right, plot.bottom);
    if (style_ == TChartStyle::Pie)
        PaintPie(dc, zoomed);
    else
        PaintBars(dc, zoomed);
    RestoreDC(dc, saved);
    if (legendBelow)
        PaintLegend(dc, RECT{plot.left, plot.bottom + 4, area.right - 4, area.bottom - 4});
    else if (legend_)
        PaintLegend(dc, RECT{plot.right + 8, area.top + 4, area.right - 4, area.bottom - 4});
    SelectObject(dc, oldFont);
}

void TChart::PaintPie(HDC dc, const RECT& area) const
{
    const int size = std::min(area.right - area.left, area.bottom - area.top);
    if (size <= 0)
        return;
    const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2, r = size / 2;
    if (!view3D_) {
        PaintPieLayer(dc, RECT{cx - r, cy - r, cx + r, cy + r}, 100);
        return;
    }
    // Seen from above at a slant: a flattened top on a rim of darker layers.
    const int ry = size * 3 / 10, depth = size / 10, top = cy - (2 * ry + depth) / 2;
    HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (int layer = depth; layer >= 1; --layer)
        PaintPieLayer(dc, RECT{cx - r, top + layer, cx + r, top + layer + 2 * ry}, 60);
    SelectObject(dc, pen);
    PaintPieLayer(dc, RECT{cx - r, top, cx + r, top + 2 * ry}, 100);
}

void TChart::PaintPieLayer(HDC dc, const RECT& ellipse, int shadePercent) const
{
    const double cx = (ellipse.left + ellipse.right) / 2.0, cy = (ellipse.top + ellipse.bottom) / 2.0;
    const double rx = (ellipse.right - ellipse.left) / 2.0, ry = (ellipse.bottom - ellipse.top) / 2.0;
    const std::vector<double> shares = ChartShares(values_);
    const double pi = 3.14159265358979323846;
    double start = 0; // fraction of the circle, counter-clockwise from three o'clock
    for (size_t i = 0; i < values_.size(); ++i) {
        if (shares[i] <= 0)
            continue;
        Selected brush(dc, CreateSolidBrush(ColorToRGB(ChartShade(values_[i].color, shadePercent))));
        if (shares[i] >= 1) {
            Ellipse(dc, ellipse.left, ellipse.top, ellipse.right, ellipse.bottom);
        } else {
            const double end = start + shares[i];
            auto x = [&](double f) { return static_cast<int>(std::lround(cx + rx * std::cos(2 * pi * f))); };
            auto y = [&](double f) { return static_cast<int>(std::lround(cy - ry * std::sin(2 * pi * f))); };
            Pie(dc, ellipse.left, ellipse.top, ellipse.right, ellipse.bottom, x(start), y(start), x(end), y(end));
        }
        start += shares[i];
    }
}

void TChart::PaintBars(HDC dc, const RECT& area) const
{
    if (values_.empty())
        return;
    double largest = 0;
    for (const TChartValue& v : values_)
        largest = std::max(largest, v.value);
    const int height = std::max(1, (static_cast<int>(area.bottom - area.top)) / static_cast<int>(values_.size()));
    // A 3D bar shows its top and its end as darker faces behind and above the front.
    const int depth = view3D_ ? height / 3 : 0;
    const int width = area.right - area.left - depth;
    auto fill = [dc](const POINT* corners, TColor color) {
        Selected brush(dc, CreateSolidBrush(ColorToRGB(color)));
        HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
        Polygon(dc, corners, 4);
        SelectObject(dc, pen);
    };
    for (size_t i = 0; i < values_.size(); ++i) {
        const double share = largest > 0 ? std::max(values_[i].value, 0.0) / largest : 0;
        // Values are added from the bottom up, so the first value lies lowest.
        const int top = area.top + static_cast<int>(values_.size() - 1 - i) * height;
        RECT bar{area.left, top + 2 + depth, area.left + static_cast<int>(share * width), top + height - 2};
        {
            Selected brush(dc, CreateSolidBrush(ColorToRGB(values_[i].color)));
            FillRect(dc, &bar, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
        }
        if (depth <= 0 || bar.right <= bar.left)
            continue;
        const POINT topFace[4] = {{bar.left, bar.top}, {bar.left + depth, bar.top - depth},
                                  {bar.right + depth, bar.top - depth}, {bar.right, bar.top}};
        const POINT endFace[4] = {{bar.right, bar.top}, {bar.right + depth, bar.top - depth},
                                  {bar.right + depth, bar.bottom - depth}, {bar.right, bar.bottom}};
        fill(topFace, ChartShade(values_[i].color, 80));
        fill(endFace, ChartShade(values_[i].color, 60));
    }
}

void TChart::PaintLegend(HDC dc, const RECT& area) const
{
    int top = area.top;
    for (const TChartValue& v : values_) {
        RECT box{area.left, top + 4, area.left + 10, top + 14};
        Selected brush(dc, CreateSolidBrush(ColorToRGB(v.color)));
        FillRect(dc, &box, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
        RECT text{area.left + 14, top, area.right, top + lineHeight};
        DrawTextA(dc, v.label.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        top += lineHeight;
    }
}

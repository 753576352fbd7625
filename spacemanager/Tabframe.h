// The space manager's chart frame: the size chart of the shown folder as bars or a pie,
// saved as a bitmap, copied to the clipboard or printed.
#pragma once

#include "spacemanager/SizeChart.h"
#include "toolkit/Chart.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"

#include <string>

// The chart painter, which can also paint into a bitmap of ours.
class TSizeChart : public TChart {
public:
    explicit TSizeChart(TComponent* owner) : TChart(owner) {}
    void PaintTo(HDC dc, const TRect& area) { Paint(dc, area); }
};

class TForm11;

class TFrame6 : public TFrame {
public:
    TFrame6(TComponent* owner, TForm11* window);

    void English();
    // Shows the bars of a listing under the title.
    void ShowChart(const std::string& title, const SizeChartModel& model);
    // Bars or a pie; the form stays for later charts.
    void SetPie(bool pie);
    bool Pie() const { return DBChart1->Style() == TChartStyle::Pie; }

    // The chart as a picture on white, of the chart's size; the caller deletes it.
    HBITMAP ChartBitmap();
    void ScrrenShot1Click(TObject* sender);  // save as a bitmap file
    void Kopieren1Click(TObject* sender);    // to the clipboard
    void PrintChart();

    TLabel* UnitLabel = nullptr;   // the unit of the bars
    TSizeChart* DBChart1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* ScrrenShot1 = nullptr;
    TMenuItem* Kopieren1 = nullptr;
    SizeChartModel Model;

private:
    bool German() const;
    void Fail(const std::string& german, const std::string& english);
    TForm11* window_;
};

// Writes a bitmap as a .bmp file (24 bits per pixel); false when it cannot be written whole.
bool SaveBitmapFile(HBITMAP bitmap, const std::string& path);

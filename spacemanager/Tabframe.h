// The space manager's chart frame: the size chart of the shown folder as bars or a pie,
// 20 pixels per bar in a scroll box, saved as a bitmap, copied to the clipboard or
// printed; and the buttons of the window's chart tool bar, which all act on it.
#pragma once

#include "pageparts/WindowTexts.h"
#include "spacemanager/SizeChart.h"
#include "toolkit/Chart.h"
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/ToolTip.h"

#include <functional>
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
    // Its menu's texts in German and English; the window's English() puts the English ones
    // in place. The tool bar's buttons are as wide as their captions and are made in the
    // program's language.
    TWindowTexts Texts;

    // Fills the window's chart tool bar; hideBar hides it.
    void BuildToolBar(TPanel* bar, const std::function<void()>& hideBar);
    // Shows the bars of a listing under the title.
    void ShowChart(const std::string& title, const SizeChartModel& model);
    void FrameResize(TObject* sender);
    // Bars or a pie; the form stays for later charts.
    void SetPie(bool pie);
    // The switches of the tool bar show what the chart shows (legend, 3D, bars or pie).
    void ShowSwitches();
    bool Pie() const { return DBChart1->Style() == TChartStyle::Pie; }

    // The chart as a picture on white, of the chart's size; the caller deletes it.
    HBITMAP ChartBitmap();
    void ScrrenShot1Click(TObject* sender);  // save as a bitmap file
    void Kopieren1Click(TObject* sender);    // to the clipboard
    void PrintChart();

    TLabel* UnitLabel = nullptr;   // the unit of the bars
    TScrollBox* ScrollBox1 = nullptr;
    TSizeChart* DBChart1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* ScrrenShot1 = nullptr;
    TMenuItem* Kopieren1 = nullptr;
    SizeChartModel Model;

    // The chart tool bar, in the window's panel.
    TSpeedButton* SpeedButton2 = nullptr;   // legend
    TSpeedButton* SpeedButton3 = nullptr;   // zoom in
    TSpeedButton* SpeedButton4 = nullptr;   // zoom out
    TSpeedButton* SpeedButton7 = nullptr;   // 3D
    TSpeedButton* SpeedButton8 = nullptr;   // bars
    TSpeedButton* SpeedButton9 = nullptr;   // pie
    TSpeedButton* SpeedButton10 = nullptr;  // print
    TSpeedButton* SpeedButton6 = nullptr;   // save
    TSpeedButton* SpeedButton11 = nullptr;  // copy
    TSpeedButton* SpeedButton12 = nullptr;  // each point in its own colour
    TSpeedButton* SpeedButton5 = nullptr;   // hide the tool bar
    TToolTip* Hints = nullptr;

private:
    void Fail(const std::string& german, const std::string& english);
    TForm11* window_;
};

// Adds a small pie in the chart's first colours to images; returns its index or -1.
int AddPiePicture(TImageList& images);

// Writes a bitmap as a .bmp file (24 bits per pixel); false when it cannot be written whole.
bool SaveBitmapFile(HBITMAP bitmap, const std::string& path);

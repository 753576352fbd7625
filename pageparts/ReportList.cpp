#include "pageparts/ReportList.h"

#include "common/Language.h"

#include <functional>

namespace report_list {

namespace {

using CaptionSetter = std::function<void(TListColumn* column, const Column& design)>;

TListView* Place(TWinControl* window, unsigned options, const std::vector<Column>& columns,
                 const CaptionSetter& setCaption)
{
    auto* list = new TListView(window);
    list->Name = "ListView1";
    list->SetParent(window);
    if (options & rowsOnDemand)
        list->SetOwnerData(true);
    list->SetAlign(alClient);
    list->SetMultiSelect(true);
    list->SetHideSelection(false);
    if (options & gridLines)
        list->SetGridLines(true);
    list->SetViewStyle(vsReport);
    for (const Column& design : columns) {
        TListColumn* column = list->Columns()->Add();
        setCaption(column, design);
        column->SetWidth(design.width);
        if (design.alignment != taLeftJustify)
            column->SetAlignment(design.alignment);
    }
    return list;
}

} // namespace

TStatusBar* PlaceStatusBar(TWinControl* window, std::initializer_list<int> panelWidths)
{
    auto* bar = new TStatusBar(window);
    bar->Name = "StatusBar1";
    bar->SetParent(window);
    bar->SetAlign(alBottom);
    for (int width : panelWidths)
        bar->Panels()->Add()->SetWidth(width);
    return bar;
}

TListView* PlaceReportList(TWinControl* window, unsigned options, const std::vector<Column>& columns)
{
    return Place(window, options, columns, [](TListColumn* column, const Column& design) {
        column->SetCaption(language::Text(design.germanCaption, design.englishCaption));
    });
}

TListView* PlaceReportList(TWinControl* window, unsigned options, const std::vector<Column>& columns,
                           TWindowTexts& texts)
{
    return Place(window, options, columns, [&texts](TListColumn* column, const Column& design) {
        texts.Caption(column, design.germanCaption, design.englishCaption);
    });
}

} // namespace report_list

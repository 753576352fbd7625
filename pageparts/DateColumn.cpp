#include "pageparts/DateColumn.h"

#include "pageparts/LocaleTime.h"
#include "toolkit/ListView.h"

void FitDateColumn(TListView& list, int column)
{
    TListColumn* date = list.Columns()->Items(column);
    std::vector<std::string> texts = locale_time::DateTimeSamples();
    texts.push_back(date->Caption());
    date->SetMinWidth(list.CellWidth(texts));
}

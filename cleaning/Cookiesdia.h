// The cookie keep-list dialog: the browser's cookies on the left, the cookies that cache
// cleaning must spare on the right; OK makes the right list the keep-list. Cookies move
// between the lists by the buttons, a double click on the left, or a drag from one list
// onto the other.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"

#include <string>
#include <vector>

class TForm7 : public TForm {
public:
    explicit TForm7(TComponent* owner);

    void Button1Click(TObject* sender);  // ">>": selected cookies to the kept list
    void Button2Click(TObject* sender);  // "<<": selected kept cookies back
    void Button3Click(TObject* sender);  // OK
    void Button4Click(TObject* sender);  // Cancel
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    // Each list takes the rows of the other one, as "<<" and ">>" would move them.
    void ListView1DragOver(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept);
    void ListView1DragDrop(TObject* sender, TObject* source, int x, int y);
    void ListView2DragOver(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept);
    void ListView2DragDrop(TObject* sender, TObject* source, int x, int y);

    // The names in a list, top to bottom.
    static std::vector<std::string> Names(TListView* list);
    // Fills the dialog: every kept name on the right, every other cookie on the left.
    void Fill(const std::vector<std::string>& kept, const std::vector<std::string>& cookies);

    TListView* ListView1 = nullptr; // cookies to delete
    TListView* ListView2 = nullptr; // cookies kept
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button4 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    // Set by OK: the kept list the dialog was closed with.
    bool Accepted = false;
    std::vector<std::string> AcceptedKeepList;
};

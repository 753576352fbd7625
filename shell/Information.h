// The about box's frame: product and version, the Windows that runs it, the physical
// memory, and links to the maker's web site and mail (and, in German, to the question of
// how to support the project). It is a borderless box, dragged by its top bar.
#pragma once

#include "toolkit/Forms.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

#include <string>

class TFrame5 : public TFrame {
public:
    explicit TFrame5(TComponent* owner);
    ~TFrame5() override;

    // The texts of the program's language (the memory and the system name are the main
    // form's to fill).
    void SetTexts();

    void Image102Click(TObject* sender);
    void Image6Click(TObject* sender);
    void Image102MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image102MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image4MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Label4Click(TObject* sender); // mail
    void Label5Click(TObject* sender); // web site
    void Label7Click(TObject* sender); // how to support the project
    void Label7MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image6MouseMove(TObject* sender, TShiftState shift, int x, int y);

    TImage* Image1 = nullptr;   // background
    TImage* Image4 = nullptr;   // drag bar
    TLabel* Label10 = nullptr;  // heading on the drag bar
    TImage* Image6 = nullptr;   // close
    TLabel* Label1 = nullptr;   // product
    TLabel* Label2 = nullptr;   // version
    TLabel* Label6 = nullptr;   // supported systems
    TLabel* Label11 = nullptr;  // the running system
    TLabel* Label8 = nullptr;   // physical memory
    TLabel* Label4 = nullptr;   // mail link
    TLabel* Label5 = nullptr;   // web link
    TLabel* Label7 = nullptr;   // support link
    TImage* Image7 = nullptr;   // its icon
    TPanel* Panel1 = nullptr;   // side picture
    TImage* Image3 = nullptr;
    TPanel* Panel5 = nullptr;   // the OK button's edge
    TImage* Image102 = nullptr; // the OK button

private:
    void CloseBox();
    // Opens a link with the shell; a link that cannot be opened is not worth an error.
    void OpenLink(const std::string& link);
};

// The about frame while its box exists, or nullptr.
extern TFrame5* Frame5;

namespace about {

using MemoryStatusExFunction = BOOL(WINAPI*)(LPMEMORYSTATUSEX);

// GlobalMemoryStatusEx of the running system, or nullptr where the kernel has none
// (Windows 95, 98, ME and NT 4).
MemoryStatusExFunction LookUpMemoryStatusEx();

// The total physical memory in bytes. statusEx sees memory beyond 2 GiB; without it (or
// when it fails) GlobalMemoryStatus answers, which older systems cap.
unsigned long long PhysicalMemoryBytes(MemoryStatusExFunction statusEx);

// "physical memory: " and the memory in KiB with the locale's thousands separators and
// no decimals, then " KB " (the German caption in German mode).
std::string MemoryCaption(unsigned long long bytes, int languageFlag);

// A "mailto:" link to address with subject and body, percent-encoded.
std::string MailtoLink(const std::string& address, const std::string& subject, const std::string& body);

} // namespace about

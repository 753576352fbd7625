// Times the making of controls the way the program's forms make them: each batch starts
// with a fresh hidden form holding a panel (or a page control) and fills it. Every batch
// runs a few rounds; the best round is printed, in milliseconds for the batch and per
// control. The main form is timed as Application->CreateForm makes it (construction and
// OnCreate), with message boxes answered silently.
#include "shell/Unit1.h"
#include "toolkit/Effects.h"
#include "toolkit/Forms.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

// The main form's first start may show a notice; the benchmark answers it unseen.
class QuietEffects : public effects::Sink {
public:
    int ShowMessageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
};

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Runs make (which builds into form) rounds times, each on a new form; returns the best
// time of make alone. The form is deleted outside the timing.
double Best(int rounds, const std::function<void(TForm*)>& make)
{
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        auto* form = new TForm(Application);
        form->SetBounds(0, 0, 664, 475);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        make(form);
        QueryPerformanceCounter(&end);
        best = std::min(best, Milliseconds(start, end));
        delete form;
        Application->ProcessMessages();
    }
    return best;
}

void Report(const char* what, int count, double ms)
{
    std::printf("%-40s %3d  %8.1f ms  %6.2f ms each\n", what, count, ms, ms / count);
}

TPanel* NewPanel(TForm* form)
{
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetAlign(alClient);
    return panel;
}

template <class T>
void Batch(const char* what, int rounds, int count, const std::function<void(T*)>& setUp)
{
    Report(what, count, Best(rounds, [&](TForm* form) {
        TPanel* panel = NewPanel(form);
        for (int i = 0; i < count; ++i) {
            auto* control = new T(form);
            control->SetParent(panel);
            setUp(control);
        }
    }));
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    Application->Initialize();
    QuietEffects quiet;
    effects::SetSink(&quiet);

    Report("empty form", 1, Best(rounds, [](TForm*) {}));
    Report("form + panel", 1, Best(rounds, [](TForm* form) { NewPanel(form); }));
    Batch<TLabel>("labels", rounds, 20, [](TLabel*) {});
    Batch<TLabel>("labels with caption, bounds, font colour", rounds, 20, [](TLabel* label) {
        label->SetTransparent(true);
        label->SetBounds(8, 8, 120, 16);
        label->Font()->SetColor(clBlue);
        label->SetCaption("Clean Hard Drive");
    });
    Batch<TImage>("images", rounds, 20, [](TImage*) {});
    Batch<TImage>("images with bounds and a picture", rounds, 20, [](TImage* image) {
        image->SetBounds(4, 4, 16, 16);
        image->Picture()->SetBitmap(MakeSolidBitmap(16, 16, clRed));
    });
    Batch<TPanel>("panels", rounds, 10, [](TPanel*) {});
    Batch<TPanel>("panels aligned to the top", rounds, 10, [](TPanel* panel) {
        panel->SetAlign(alTop);
        panel->SetHeight(24);
    });
    Report("tab sheets in a page control", 22, Best(rounds, [](TForm* form) {
        auto* pages = new TPageControl(form);
        pages->SetParent(form);
        pages->SetAlign(alClient);
        for (int i = 0; i < 22; ++i) {
            auto* sheet = new TTabSheet(form);
            sheet->SetPageControl(pages);
            sheet->SetCaption("Page " + std::to_string(i));
            sheet->SetColor(clWhite);
        }
    }));

    double construct = 1e9, create = 1e9;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start, built, end;
        QueryPerformanceCounter(&start);
        Form1 = new TForm1(Application);
        QueryPerformanceCounter(&built);
        Form1->DoCreate();
        QueryPerformanceCounter(&end);
        construct = std::min(construct, Milliseconds(start, built));
        create = std::min(create, Milliseconds(start, end));
        delete Form1;
        Application->ProcessMessages();
    }
    int controls = 0;
    Form1 = new TForm1(Application);
    std::function<void(TWinControl*)> count = [&](TWinControl* parent) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            ++controls;
            if (auto* child = dynamic_cast<TWinControl*>(parent->Controls(i))) count(child);
        }
    };
    count(Form1);
    delete Form1;
    Report("main form, constructor", controls, construct);
    Report("main form, constructor and OnCreate", controls, create);
    effects::SetSink(nullptr);
    return 0;
}

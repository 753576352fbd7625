// The file splitter page: a file cut into parts of a preset or chosen size, or into a
// chosen number of parts, with the batch file that joins them again.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "filetools/FileSplitter.h"
#include "pageparts/MessageText.h"
#include "pageparts/PageParts.h"
#include "toolkit/Button.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Effects.h"
#include "toolkit/RadioButton.h"
#include "toolkit/SaveDialog.h"

#include <cstdlib>

namespace {

struct Preset {
    const char* german;
    const char* english;
    unsigned long long bytes; // 0: the number in Edit10
};
const Preset presets[] = {
    {"3,5-Zoll-Diskette (1,38 MB)", "3.5-inch floppy (1.38 MB)", 1457644},
    {"5,25-Zoll-Diskette (1,18 MB)", "5.25-inch floppy (1.18 MB)", 1237319},
    {"Zip 100 (95,7 MB)", "Zip 100 (95.7 MB)", 100431872},
    {"Zip 250 (245,5 MB)", "Zip 250 (245.5 MB)", 257425408},
    {"CD-ROM (74 Minuten)", "CD-ROM (74 minutes)", 681984000},
    {"CD-ROM (80 Minuten)", "CD-ROM (80 minutes)", 737280000},
    {"Benutzerdefiniert in Bytes", "User-defined in bytes", 0},
    {"Benutzerdefiniert in KB", "User-defined in KB", 0},
};
const int presetCount = sizeof presets / sizeof presets[0];

const UINT frontInfo = MB_TOPMOST | MB_TASKMODAL | MB_SYSTEMMODAL | MB_ICONINFORMATION;
const UINT frontError = MB_TOPMOST | MB_TASKMODAL | MB_SYSTEMMODAL | MB_ICONEXCLAMATION;

// The own size: a whole positive number (a fraction is cut off); 0 for anything else.
unsigned long long OwnSize(const std::string& text, bool kilobytes)
{
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= 1) || value > 1e15)
        return 0;
    unsigned long long bytes = static_cast<unsigned long long>(value);
    return kilobytes ? bytes * 1024 : bytes;
}

} // namespace

void TForm1::BuildSplitterPage()
{
    TTabSheet* page = TabSheets[22];
    page_parts::MakePageTitle(this, page, "SplitterPageTitle");

    Edit9 = new TEdit(this);
    Edit9->Name = "Edit9";
    Edit9->SetParent(page);
    Edit9->SetBounds(16, 44, 400, 21);
    Button3 = new TButton(this);
    Button3->Name = "Button3";
    Button3->SetParent(page);
    Button3->SetBounds(422, 43, 44, 23);
    Button3->SetCaption("...");
    Button3->OnClick = Bind(this, &TForm1::Button3Click);

    RadioButton12 = new TRadioButton(this);
    RadioButton12->Name = "RadioButton12";
    RadioButton12->SetParent(page);
    RadioButton12->SetBounds(16, 80, 200, 20);
    RadioButton12->SetChecked(true);
    ComboBoxEx2 = new TComboBox(this);
    ComboBoxEx2->Name = "ComboBoxEx2";
    ComboBoxEx2->SetParent(page);
    ComboBoxEx2->SetBounds(220, 78, 246, 200);
    ComboBoxEx2->OnChange = Bind(this, &TForm1::ComboBoxEx2Click);
    Edit10 = new TEdit(this);
    Edit10->Name = "Edit10";
    Edit10->SetParent(page);
    Edit10->SetBounds(220, 106, 140, 21);
    Edit10->Hide();
    Label88 = new TLabel(this);
    Label88->Name = "Label88";
    Label88->SetParent(page);
    Label88->SetTransparent(true);
    Label88->SetBounds(366, 109, 100, 16);
    Label88->Hide();

    RadioButton13 = new TRadioButton(this);
    RadioButton13->Name = "RadioButton13";
    RadioButton13->SetParent(page);
    RadioButton13->SetBounds(16, 140, 200, 20);
    CSpinEdit6 = new TCSpinEdit(this);
    CSpinEdit6->Name = "CSpinEdit6";
    CSpinEdit6->SetParent(page);
    CSpinEdit6->SetBounds(220, 138, 80, 22);
    CSpinEdit6->SetMinValue(2);
    CSpinEdit6->SetMaxValue(1000);
    CSpinEdit6->SetValue(2);

    Label86 = page_parts::MakePageLink(this, page, "Label86", 16, 180, 200, 0x8000);
    Label86->Font()->SetStyle(fsBold);
    Label86->OnClick = Bind(this, &TForm1::Label86Click);
}

void TForm1::CaptionSplitterPage()
{
    if (auto* title = dynamic_cast<TLabel*>(FindComponent("SplitterPageTitle")))
        title->SetCaption(language::Text("Datei in Teile zerlegen", "Split a file into parts"));
    RadioButton12->SetCaption(language::Text("Nach Größe teilen", "Split by size"));
    RadioButton13->SetCaption(language::Text("In Anzahl Teile teilen", "Split into parts"));
    Label88->SetCaption("Bytes");
    Label86->SetCaption(language::Text("Jetzt teilen", "Split now"));
    int index = ComboBoxEx2->ItemIndex();
    ComboBoxEx2->Items()->Clear();
    for (const Preset& preset : presets)
        ComboBoxEx2->Items()->Add(language::Text(preset.german, preset.english));
    ComboBoxEx2->SetItemIndex(index >= 0 ? index : 0);
}

void TForm1::SelectFirstSplitSize()
{
    CaptionSplitterPage();
    ComboBoxEx2->SetItemIndex(0);
    ComboBoxEx2Click(nullptr);
}

void TForm1::Button3Click(TObject*)
{
    TSaveDialog dialog(nullptr);
    dialog.Title = language::Text("Suchen", "Search");
    dialog.Filter = language::Text("Alle Dateien (*.*)|*.*", "All files (*.*)|*.*");
    if (dialog.Execute() && !dialog.FileName.empty())
        Edit9->SetText(dialog.FileName);
}

void TForm1::ComboBoxEx2Click(TObject*)
{
    bool own = ComboBoxEx2->ItemIndex() > 5;
    Edit10->SetVisible(own);
    Label88->SetVisible(own);
    Label88->SetCaption(ComboBoxEx2->ItemIndex() == 7 ? "KB" : "Bytes");
}

void TForm1::Label86Click(TObject*)
{
    // The split keeps the window answering between blocks: a second click then, or a long
    // job of another page, must not start another split.
    if (InLongJob())
        return;
    LongJob job(this);
    HourGlass busy;
    std::string source = Edit9->Text();
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    unsigned long long size = 0;
    if (!source.empty() && GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &facts))
        size = (static_cast<unsigned long long>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;

    unsigned long long partSize = 0;
    if (RadioButton12->Checked()) {
        int index = ComboBoxEx2->ItemIndex();
        if (index >= 0 && index < presetCount)
            partSize = presets[index].bytes ? presets[index].bytes : OwnSize(Edit10->Text(), index == 7);
    } else {
        partSize = splitter::PartSizeForCount(size, CSpinEdit6->Value());
    }
    if (source.empty() || size == 0 || partSize == 0) {
        effects::ShowMessageBox(Handle(), language::Text("Ungültige Angaben", "Invalid Data"), "Tidewrack", frontError);
        return;
    }
    if (partSize > size) {
        effects::ShowMessageBox(
            Handle(),
            language::Text("Die Teilgröße ist größer als die Datei", "Size of Splitfile is greater as origin file"),
            "Tidewrack", frontInfo);
        return;
    }
    std::vector<std::string> existing = splitter::ExistingTargets(source, size, partSize);
    if (!existing.empty() &&
        effects::ShowMessageBox(Handle(),
                                language::Text("Diese Dateien gibt es schon; sie werden überschrieben:\n\n",
                                               "These files exist already and will be overwritten:\n\n") +
                                    JoinLines(existing, 10) + language::Text("\n\nFortfahren?", "\n\nGo on?"),
                                language::Text("Frage", "Question"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    splitter::SplitResult result =
        splitter::SplitFile(source, partSize, language::German(), [] { Application->ProcessMessages(); });
    switch (result.error) {
    case splitter::SplitError::None:
        effects::ShowMessageBox(Handle(),
                                language::Text("Die Datei wurde erfolgreich geteilt", "Splitting files succeeded"),
                                "Tidewrack", frontInfo);
        break;
    case splitter::SplitError::NameClash:
        effects::ShowMessageBox(Handle(),
                                language::Text("Ein Teil oder die Batchdatei hätte den Namen der Datei selbst:\n",
                                               "A part or the batch file would have the name of the file itself:\n") +
                                    result.failedPath,
                                "Tidewrack", frontError);
        break;
    case splitter::SplitError::PartFailed:
        effects::ShowMessageBox(
            Handle(),
            language::Text("Fehler beim Teilen der Datei. Dieser Teil konnte nicht geschrieben werden:\n",
                           "Error splitting files. This part could not be written:\n") +
                result.failedPath,
            "Tidewrack", frontError);
        break;
    case splitter::SplitError::BatchFailed:
        effects::ShowMessageBox(
            Handle(),
            language::Text("Die Teile sind geschrieben, aber die Batchdatei zum Wiederherstellen nicht:\n",
                           "The parts are written, but not the batch file for restoration:\n") +
                splitter::BatchName(source),
            "Tidewrack", frontError);
        break;
    default:
        effects::ShowMessageBox(Handle(),
                                language::Text("Fehler beim Teilen der Datei ", "Error splitting files ") + source,
                                "Tidewrack", frontError);
        break;
    }
}

// The program's entry: the application object, the main form and the message loop.
#include "shell/Unit1.h"

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        Application->Initialize();
        Application->Title = "Tidewrack";
        Application->SetIcon(LoadIconA(instance, "MAINICON"));
        Application->CreateForm(Form1);
        Application->Run();
    } catch (const std::exception& e) {
        Application->ShowException(e);
    }
    return 0;
}

// The entry routine: refuses a second instance, creates the settings window (the main
// window) and the capture window, runs the message loop and tears down in reverse order.
#include <windows.h>

#include "common/Texts.h"
#include "qcapture/Form5.h"
#include "setkey/Form2.h"
#include "winui/App.h"
#include "winui/Dialogs.h"
#include "winui/Text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The mutex is only a signal between processes: it is never waited on, and the
    // system closes it when the process ends, which frees the name for the next start.
    // Only "already exists" refuses the start; any other failure runs unguarded.
    HANDLE guard = CreateMutexW(nullptr, TRUE, winui::FromGbk(texts::kMutexName).c_str());
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        winui::InformationBox(texts::kAlreadyRunning);
        CloseHandle(guard);
        return 0;
    }

    winui::App& app = winui::Application();
    int exitCode = 0;
    try {
        app.Initialize();
        app.SetTitle(texts::kAppTitle);
        app.CreateForm(Form2);
        app.CreateForm(Form5);
        // The two windows meet only here: the settings window fires captures.
        Form2->CaptureTrigger = [] { Form5->EnableTimer1(); };
        Form5->QualityText = [] { return Form2->Edit1.Text(); };
        app.Run();
    } catch (...) {
        // Only start-up can get here (handlers report their own failures): say why the
        // program cannot run and end.
        app.ReportException(std::current_exception());
        exitCode = 1;
    }

    // Teardown: hide the windows, destroy them in reverse order of creation.
    if (Form2) Form2->Hide();
    if (Form5) Form5->Hide();
    delete Form5;
    Form5 = nullptr;
    delete Form2;
    Form2 = nullptr;
    app.Finalize();
    return exitCode;
}

// The settings window TForm2, the program's main window: caption, fixed dialog frame,
// centred on its first showing. Its creation handler decides whether it starts shown.
#pragma once

#include "winui/Form.h"

class TForm2 : public winui::Form {
public:
    // Builds the window from its description, then runs FormCreate.
    void Build();

    void FormCreate();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The one settings window, alive for the whole run.
extern TForm2* Form2;

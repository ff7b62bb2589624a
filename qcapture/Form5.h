// The capture window TForm5: borderless, always on top, hidden between captures.
#pragma once

#include "winui/Form.h"

class TForm5 : public winui::Form {
public:
    void Build();
};

// The one capture window, alive for the whole run.
extern TForm5* Form5;

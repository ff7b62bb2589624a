// The capture window TForm5: borderless, always on top, hidden between captures. The
// Capture trigger enables its one-shot 300 ms timer.
#pragma once

#include "winui/Form.h"

class TForm5 : public winui::Form {
public:
    void Build();

    // The Capture trigger: starts the 300 ms count, unless it is already running.
    void EnableTimer1();
    void Timer1Timer();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool timer1Enabled_ = false;
};

// The one capture window, alive for the whole run.
extern TForm5* Form5;

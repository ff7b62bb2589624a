// The capture window TForm5: borderless, always on top, hidden between captures. The
// Capture trigger enables its one-shot 300 ms timer; the timer freezes the primary screen
// into the picture and shows the window over exactly that screen; an inverting crosshair
// follows the pointer, the first press fixes a corner, an inverting band follows, and
// the second press makes the region the picture and hands it to the delivery.
#pragma once

#include <functional>

#include "Selection.h"
#include "winui/Form.h"
#include "winui/Picture.h"
#include "winui/SaveDialog.h"

class TForm5 : public winui::Form {
public:
    void Build();

    // The Capture trigger. Ignored while a capture is on the screen or being delivered:
    // a snapshot then would freeze the crosshair or band into the picture, or start a
    // second delivery inside the first.
    void EnableTimer1();

    void Timer1Timer();
    void Image1MouseMove(int x, int y);
    void Image1MouseDown(int x, int y);

    winui::PictureBox Image1;
    winui::SaveDialog SavePictureDialog1;

    // The settings window's quality text at the moment the JPEG is written; set by the
    // entry routine, which knows both windows.
    std::function<std::wstring()> QualityText;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CaptureCanvas Canvas();
    // The region picture to the clipboard and, through the save dialog, to a JPEG file.
    void DeliverRegion();

    bool timer1Enabled_ = false;
    bool delivering_ = false;
};

// The one capture window, alive for the whole run.
extern TForm5* Form5;
// The capture state, kept between the handlers.
extern CaptureState Capture;

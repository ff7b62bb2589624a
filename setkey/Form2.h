// The settings window TForm2, the program's main window: help text, hot-key box,
// quality box, hide-at-start box, the capture, save, exit and homepage buttons and the
// banner. It loads the settings when it is created, checks the quality before saving or
// capturing, and hides itself after either.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/ProfileFile.h"
#include "winui/Controls.h"
#include "winui/Form.h"
#include "winui/HotKeyManager.h"
#include "winui/Skin.h"
#include "winui/TrayIcon.h"

class TForm2 : public winui::Form {
public:
    // Builds the window and its controls from their description, then runs FormCreate.
    void Build();

    void HotKeyManager1HotKeyPressed(Shortcut value, std::uint16_t index);
    void FormCreate();
    void SpeedButton1Click();  // save
    void SpeedButton2Click();  // exit
    void CoolTrayIcon1Click();
    void SpeedButton3Click();  // capture
    void Exit1Click();
    void O1Click();
    void SpeedButton4Click();  // homepage (also the banner's click)

    // Fires a capture; set by the entry routine, which knows the capture window.
    std::function<void()> CaptureTrigger;
    // The quality box's text as it stands, GBK.
    std::string QualityText() const;

    winui::HotKeyManager HotKeyManager1;
    // The tray icon with its two-item menu ("打开(&O)" runs O1Click, "退出(&Q)" Exit1Click).
    winui::TrayIcon CoolTrayIcon1;
    winui::Memo Memo1;
    winui::SkinCaption SkinCaption2;
    winui::SkinData SkinData1;
    winui::Image Image1;
    winui::Panel Panel1;
    winui::Label Label2;
    winui::SpeedButton SpeedButton1;
    winui::SpeedButton SpeedButton2;
    winui::Label Label1;
    winui::SpeedButton SpeedButton3;
    winui::SpeedButton SpeedButton4;
    winui::HotKeyBox HotKey2;
    winui::Edit Edit1;
    winui::CheckBox CheckBox1;

private:
    // The three checks of the quality text; on failure the Information box and the
    // focus back in the quality box.
    bool QualityPasses();
    void LoadBanner();
    // Registers the hot key box's combination anew; a refusal is reported, since a dead
    // hot key in a program that lives in the tray would go unnoticed. False when refused.
    bool BindHotKey();
    void ApplyDateGate();

    std::uint16_t HotKeyIndex = 0;
};

// The one settings window, alive for the whole run.
extern TForm2* Form2;
// The settings file object, created by FormCreate and kept for the whole run.
extern ProfileFile* SettingsIni;

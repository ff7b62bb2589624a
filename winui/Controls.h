// The child controls a form is built from: each is created from its description (kind,
// place at 96 dpi, text, font, colour, tab order, cursor, picture) and placed again when
// the form's layout or dpi changes. Standard controls are the system's own classes;
// the panel, the speed button and the picture are small classes of this layer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Window.h"
#include "common/FormDescription.h"
#include "common/Shortcut.h"

namespace winui {

class Form;

class Control : public Window {
public:
    const ControlDescription& Description() const { return *description_; }
    // The access key that clicks this control with Alt, or 0.
    virtual wchar_t AccessKey() const { return 0; }
    virtual void Accelerate() {}
    // A notification the control sent its parent (WM_COMMAND's code).
    virtual void OnCommand(int /*code*/) {}

protected:
    void CreateControl(Form& form, const ControlDescription& description, const wchar_t* className, DWORD style,
                       DWORD exStyle, const std::wstring& text);
    Form& Owner() const { return *form_; }

private:
    friend class Form;
    const ControlDescription* description_ = nullptr;
    Form* form_ = nullptr;
};

class Memo : public Control {
public:
    void Create(Form& form, const ControlDescription& description, const std::wstring& text);
};

class Edit : public Control {
public:
    void Create(Form& form, const ControlDescription& description);
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    void SetFocus();
};

class Label : public Control {
public:
    void Create(Form& form, const ControlDescription& description);
};

class CheckBox : public Control {
public:
    void Create(Form& form, const ControlDescription& description);
    bool Checked() const;
    void SetChecked(bool checked);
};

// The system's hot-key control, exchanging 16-bit Shortcut values: it keeps the key byte
// and the Shift, Ctrl and Alt bits, and adds Ctrl to a key typed alone or with Shift only.
class HotKeyBox : public Control {
public:
    void Create(Form& form, const ControlDescription& description);
    Shortcut Value() const;
    void SetValue(std::uint32_t value);
    // Enters a combination pressed while the box has the focus but delivered elsewhere
    // (a registered hot key): the box keeps it through the modifier keys' release.
    void Enter(Shortcut value);
    bool Focused() const;
    void OnCommand(int code) override;

private:
    Shortcut entered_ = 0;
};

// A container window with a raised one-pixel bevel; it passes its children's
// notifications on to the form.
class Panel : public Control {
public:
    void Create(Form& form, const ControlDescription& description);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A flat-on-nothing push button that never takes the focus: picture and caption side by
// side without a gap, centred; the caption's "&" marks the Alt access key.
class SpeedButton : public Control {
public:
    void Create(Form& form, const ControlDescription& description);
    ~SpeedButton() override;
    std::function<void()> OnClick;
    wchar_t AccessKey() const override;
    void Accelerate() override { Click(); }
    void Click();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    std::wstring caption_;
    HBITMAP glyph_ = nullptr;
    bool pressed_ = false;
    bool tracking_ = false;
};

// A picture stretched to the control; a click raises OnClick.
class Image : public Control {
public:
    void Create(Form& form, const ControlDescription& description);
    ~Image() override;
    // Takes ownership of a DIB section.
    void SetPicture(HBITMAP bitmap);
    std::function<void()> OnClick;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBITMAP picture_ = nullptr;
    bool pressed_ = false;
};

}  // namespace winui

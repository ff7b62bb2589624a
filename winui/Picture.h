// A picture held as a 32-bit top-down DIB section, selected into a memory DC of its own
// for the whole of its life, so GDI can copy into and out of it while the portable code
// draws straight into its bits; and the control that shows one centred in its window,
// repainting only the parts it is told have changed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "Window.h"
#include "common/Pixels.h"

namespace winui {

class DibSection {
public:
    // An empty picture (no pixels) when width or height is 0. Throws Failure with the
    // system's message when the bitmap cannot be made.
    DibSection(int width, int height);
    ~DibSection();
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    PixelView View() const { return {bits_, width_, height_}; }

private:
    int width_ = 0;
    int height_ = 0;
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

class PictureBox : public Window {
public:
    void Create(HWND parent, int id);
    void Resize(int width, int height);

    // Takes the picture; the whole control is repainted.
    void SetPicture(std::unique_ptr<DibSection> picture);
    DibSection* Picture() const { return picture_.get(); }
    // Marks a rectangle of the picture (picture coordinates) for repainting.
    void InvalidatePicture(const PixelRect& rect);

    // Pointer positions in the control's own coordinates, sign included.
    std::function<void(int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnMouseMove;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    POINT Offset() const;  // where the centred picture's top-left lies
    void Paint();

    std::unique_ptr<DibSection> picture_;
};

}  // namespace winui

// Prints "hidden" when the X pointer currently shows no visible pixel
// (every pixel of the cursor image fully transparent), else "visible WxH".
// For the native display test; needs DISPLAY.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_cursor_probe: no display\n");
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) {
        std::fprintf(stderr, "x_cursor_probe: no cursor image\n");
        return 2;
    }
    bool visible = false;
    for (int i = 0; i < image->width * image->height; ++i)
        if ((image->pixels[i] >> 24) & 0xFF) visible = true;  // alpha
    if (visible)
        std::printf("visible %dx%d\n", image->width, image->height);
    else
        std::printf("hidden\n");
    XFree(image);
    XCloseDisplay(display);
    return 0;
}

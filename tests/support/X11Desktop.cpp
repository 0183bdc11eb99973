#include "support/X11Desktop.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

bool xDisplayAvailable() {
    Display* probe = XOpenDisplay(nullptr);
    if (!probe)
        return false;
    XCloseDisplay(probe);
    return true;
}

namespace {

std::string describe(bool down, KeySym keySym, unsigned int state) {
    const char* name = XKeysymToString(keySym);
    std::string text = std::string(down ? "down " : "up ") + (name ? name : "NoSymbol");
    if (state & ShiftMask)
        text += " shift";
    if (state & ControlMask)
        text += " ctrl";
    if (state & Mod1Mask)
        text += " alt";
    return text;
}

std::string titleOf(Display* display, Window window) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return {};
    std::string title(name);
    XFree(name);
    return title;
}

} // namespace

KeyReceiver::KeyReceiver()
    : m_display(XOpenDisplay(nullptr)) {
    const int screen = DefaultScreen(m_display);
    m_window = XCreateSimpleWindow(m_display, RootWindow(m_display, screen), 0, 0, 200, 100, 0,
                                   BlackPixel(m_display, screen), WhitePixel(m_display, screen));
    XSelectInput(m_display, m_window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(m_display, m_window);
    XEvent event;
    do
        XNextEvent(m_display, &event);
    while (event.type != MapNotify);
    takeFocus();
}

KeyReceiver::~KeyReceiver() {
    XDestroyWindow(m_display, m_window);
    XCloseDisplay(m_display);
}

void KeyReceiver::takeFocus() {
    // No window manager here: the window takes the focus itself.
    XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

bool KeyReceiver::hasFocus() const {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    return focus == m_window;
}

Arrivals KeyReceiver::take() {
    // A round trip brings in every event the server has sent so far.
    XSync(m_display, False);
    Arrivals taken;
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != KeyPress && event.type != KeyRelease)
            continue;
        KeySym keySym = NoSymbol;
        char text[16];
        XLookupString(&event.xkey, text, sizeof text, &keySym, nullptr);
        taken.push_back(describe(event.type == KeyPress, keySym, event.xkey.state));
    }
    return taken;
}

X11Desktop::X11Desktop()
    : m_display(XOpenDisplay(nullptr)) {}

X11Desktop::~X11Desktop() {
    XCloseDisplay(m_display);
}

std::optional<WindowId> X11Desktop::findWindow(const std::string& title) const {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<WindowId> found;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_display, children[i], &attributes) &&
            attributes.map_state == IsViewable && attributes.width > 1 &&
            titleOf(m_display, children[i]) == title)
            found = children[i];
    }
    XFree(children);
    return found;
}

void X11Desktop::focus(WindowId window) {
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

std::optional<WindowId> X11Desktop::focusedTopLevel() const {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    const Window rootWindow = DefaultRootWindow(m_display);
    while (focus != None && focus != PointerRoot && focus != rootWindow) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, focus, &root, &parent, &children, &count))
            return std::nullopt;
        XFree(children);
        if (parent == rootWindow)
            return focus;
        focus = parent;
    }
    return std::nullopt;
}

bool X11Desktop::isAbove(WindowId a, WindowId b) const {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return false;
    // The children come bottom to top.
    int positionA = -1, positionB = -1;
    for (unsigned int i = 0; i < count; ++i) {
        if (children[i] == a)
            positionA = static_cast<int>(i);
        if (children[i] == b)
            positionB = static_cast<int>(i);
    }
    XFree(children);
    return positionA > positionB && positionB >= 0;
}

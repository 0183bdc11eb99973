// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <functional>
#include <thread>

bool xDisplayAvailable(const std::string& display) {
    Display* probe = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    return probe && (XCloseDisplay(probe), true);
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout,
             const std::function<void()>& step) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (step)
            step();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

namespace {

std::string describe(bool down, KeySym keySym, unsigned int state) {
    const char* name = XKeysymToString(keySym);
    std::string text = std::string(down ? "down " : "up ") + (name ? name : "NoSymbol");
    const std::pair<unsigned, const char*> modifiers[] = {
        {ShiftMask, " shift"}, {ControlMask, " ctrl"}, {Mod1Mask, " alt"}};
    for (const auto& [mask, modifier] : modifiers)
        text += state & mask ? modifier : "";
    return text;
}

// A property's value, empty when the window has none.
std::string property(Display* display, Window window, const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long length = 0, remaining = 0;
    unsigned char* value = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type,
                           &actualType, &format, &length, &remaining, &value) != Success ||
        !value)
        return {};
    const std::size_t size = format == 32 ? length * sizeof(long) : length * format / 8;
    std::string bytes(reinterpret_cast<char*>(value), size);
    XFree(value);
    return bytes;
}

// The title as desktops show it: _NET_WM_NAME, else WM_NAME.
std::string titleOf(Display* display, Window window) {
    const std::string title =
        property(display, window, "_NET_WM_NAME", XInternAtom(display, "UTF8_STRING", False));
    return title.empty() ? property(display, window, "WM_NAME", AnyPropertyType) : title;
}

std::vector<Window> childrenOf(Display* display, Window window, Window* parentOut = nullptr) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        result.assign(children, children + count);
        XFree(children);
    }
    if (parentOut)
        *parentOut = parent;
    return result;
}

// The top-level window holding `window` (itself when it is one), or None.
Window topLevelOf(Display* display, Window window) {
    const Window rootWindow = DefaultRootWindow(display);
    for (Window parent = None; window != None && window != PointerRoot && window != rootWindow;
         window = parent) {
        childrenOf(display, window, &parent);
        if (parent == rootWindow)
            return window;
    }
    return None;
}

// The first window on show, wider than a pixel, for which `wanted` holds: among the
// top-level windows, or among the windows inside them.
std::optional<WindowId>
findWindowWhere(Display* display, bool embedded,
                const std::function<bool(Window, const XWindowAttributes&)>& wanted,
                Window parent = None, int depth = 0) {
    for (const Window child : childrenOf(display, parent ? parent : DefaultRootWindow(display))) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, child, &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        if ((embedded ? depth > 0 : depth == 0) && attributes.width > 1 &&
            wanted(child, attributes))
            return child;
        if (embedded)
            if (const auto found = findWindowWhere(display, embedded, wanted, child, depth + 1))
                return found;
    }
    return std::nullopt;
}

// The top-level window that holds the keyboard focus (or one of its children does), or None.
Window focusedTopLevel(Display* display) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return topLevelOf(display, focus);
}

} // namespace

X11Desktop::X11Desktop(const std::string& display)
    : m_display(XOpenDisplay(display.empty() ? nullptr : display.c_str())) {
    // Other programs' windows may go at any moment between two requests about them; Xlib's
    // own handler would end the test at the first such error.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

X11Desktop::~X11Desktop() {
    XCloseDisplay(m_display);
}

std::optional<WindowId> X11Desktop::findWindow(const std::string& title, bool embedded) const {
    return findWindowWhere(m_display, embedded, [&](Window child, const XWindowAttributes&) {
        return titleOf(m_display, child) == title;
    });
}

std::optional<WindowId> X11Desktop::awaitWindow(const std::string& title, bool embedded) const {
    std::optional<WindowId> window;
    waitFor([&] { return (window = findWindow(title, embedded)).has_value(); });
    return window;
}

std::optional<WindowId> X11Desktop::findWindowOfProcess(int pid) const {
    const long wanted = pid;
    const std::string pidValue(reinterpret_cast<const char*>(&wanted), sizeof wanted);
    return findWindowWhere(m_display, false, [&](Window child, const XWindowAttributes&) {
        return property(m_display, child, "_NET_WM_PID", XA_CARDINAL) == pidValue;
    });
}

bool X11Desktop::focus(WindowId window) {
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
    return waitFor([&] { return focusedTopLevel(m_display) == window; });
}

bool X11Desktop::isAbove(WindowId a, WindowId b) const {
    // The children come bottom to top.
    const std::vector<Window> stack = childrenOf(m_display, DefaultRootWindow(m_display));
    const auto positionA = std::find(stack.begin(), stack.end(), a);
    const auto positionB = std::find(stack.begin(), stack.end(), b);
    return positionA != stack.end() && positionB != stack.end() && positionA > positionB;
}

bool X11Desktop::hasNotificationArea() const {
    const Atom tray = XInternAtom(m_display, "_NET_SYSTEM_TRAY_S0", False);
    return XGetSelectionOwner(m_display, tray) != None;
}

int X11Desktop::popupCount() const {
    int count = 0;
    findWindowWhere(m_display, false, [&](Window, const XWindowAttributes& attributes) {
        count += attributes.override_redirect ? 1 : 0;
        return false;
    });
    return count;
}

void X11Desktop::click(WindowId window, unsigned int button) {
    XWindowAttributes attributes;
    XGetWindowAttributes(m_display, window, &attributes);
    XWarpPointer(m_display, None, window, 0, 0, 0, 0, attributes.width / 2, attributes.height / 2);
    XTestFakeButtonEvent(m_display, button, True, CurrentTime);
    XTestFakeButtonEvent(m_display, button, False, CurrentTime);
    XSync(m_display, False);
}

bool X11Desktop::hasWindowManager() const {
    return !property(m_display, DefaultRootWindow(m_display), "_NET_SUPPORTING_WM_CHECK",
                     AnyPropertyType)
                .empty();
}

WindowRect X11Desktop::outerRect(WindowId window) const {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, topLevelOf(m_display, window), &attributes))
        return {};
    const int border = 2 * attributes.border_width;
    return {attributes.x, attributes.y, attributes.width + border, attributes.height + border};
}

void X11Desktop::close(WindowId window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

void X11Desktop::pressKey(const std::string& keysym) {
    const KeyCode code = XKeysymToKeycode(m_display, XStringToKeysym(keysym.c_str()));
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XSync(m_display, False);
}

KeyReceiver::KeyReceiver() {
    const int screen = DefaultScreen(m_display);
    m_window = XCreateSimpleWindow(m_display, RootWindow(m_display, screen), 0, 0, 200, 100, 0,
                                   BlackPixel(m_display, screen), WhitePixel(m_display, screen));
    XSelectInput(m_display, m_window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(m_display, m_window);
    XEvent event;
    do
        XNextEvent(m_display, &event);
    while (event.type != MapNotify);
    focus(m_window);
}

KeyReceiver::~KeyReceiver() {
    XDestroyWindow(m_display, m_window);
}

bool KeyReceiver::hasFocus() const {
    return focusedTopLevel(m_display) == m_window;
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

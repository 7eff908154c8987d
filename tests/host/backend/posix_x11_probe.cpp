// Test helper: a close-button click, sent on a second X connection as a window manager would send it
// (WM_DELETE_WINDOW). Xlib is reached through the library GLFW has already loaded: no extra link dependency.
#include "posix_x11_probe.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstring>

namespace {

template <class F> F Sym(const char* name) { return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name)); }

struct Xlib {
    decltype(&XOpenDisplay) openDisplay = Sym<decltype(&XOpenDisplay)>("XOpenDisplay");
    decltype(&XCloseDisplay) closeDisplay = Sym<decltype(&XCloseDisplay)>("XCloseDisplay");
    decltype(&XQueryTree) queryTree = Sym<decltype(&XQueryTree)>("XQueryTree");
    decltype(&XFetchName) fetchName = Sym<decltype(&XFetchName)>("XFetchName");
    decltype(&XFree) free = Sym<decltype(&XFree)>("XFree");
    decltype(&XInternAtom) internAtom = Sym<decltype(&XInternAtom)>("XInternAtom");
    decltype(&XSendEvent) sendEvent = Sym<decltype(&XSendEvent)>("XSendEvent");
    decltype(&XFlush) flush = Sym<decltype(&XFlush)>("XFlush");
    bool ok() const {
        return openDisplay && closeDisplay && queryTree && fetchName && free && internAtom && sendEvent && flush;
    }
};

Window FindByTitle(const Xlib& x, Display* dpy, Window root, const char* title) {
    Window rootRet = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!x.queryTree(dpy, root, &rootRet, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; i++) {
        char* name = nullptr;
        if (x.fetchName(dpy, children[i], &name) && name) {
            if (std::strcmp(name, title) == 0) found = children[i];
            x.free(name);
        }
    }
    if (children) x.free(children);
    return found;
}

}  // namespace

bool SendX11CloseRequest(const char* title) {
    Xlib x;
    if (!x.ok()) return false;
    Display* dpy = x.openDisplay(nullptr);
    if (!dpy) return false;
    Window win = FindByTitle(x, dpy, DefaultRootWindow(dpy), title);
    if (win) {
        XEvent ev;
        std::memset(&ev, 0, sizeof ev);
        ev.xclient.type = ClientMessage;
        ev.xclient.window = win;
        ev.xclient.message_type = x.internAtom(dpy, "WM_PROTOCOLS", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = long(x.internAtom(dpy, "WM_DELETE_WINDOW", False));
        ev.xclient.data.l[1] = CurrentTime;
        x.sendEvent(dpy, win, False, NoEventMask, &ev);
        x.flush(dpy);
    }
    x.closeDisplay(dpy);
    return win != 0;
}


/* Asks a window to close the way a window manager's close button does: a WM_DELETE_WINDOW client message.
   Usage: vx_x_close <window id>. Bare Xvfb has no window manager, so the end-to-end cases send it themselves. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <window id>\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(NULL);
  if (!dpy) {
    fprintf(stderr, "cannot open display\n");
    return 1;
  }
  Window win = (Window)strtoul(argv[1], NULL, 0);
  XEvent ev;
  memset(&ev, 0, sizeof ev);
  ev.xclient.type = ClientMessage;
  ev.xclient.window = win;
  ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = (long)XInternAtom(dpy, "WM_DELETE_WINDOW", False);
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, win, False, NoEventMask, &ev);
  XFlush(dpy);
  XCloseDisplay(dpy);
  return 0;
}

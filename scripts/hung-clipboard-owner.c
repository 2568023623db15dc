// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the CLIPBOARD selection and never answers a request for it, as a
// hung program that once copied something does. Prints "owner" once it holds
// the selection; runs until killed.
#include <X11/Xlib.h>
#include <stdio.h>

int main(void)
{
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "hung-clipboard-owner: no display\n");
        return 1;
    }
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    if (XGetSelectionOwner(display, clipboard) != window) {
        fprintf(stderr, "hung-clipboard-owner: could not take the clipboard\n");
        return 1;
    }
    printf("owner\n");
    fflush(stdout);
    for (;;) {
        XEvent event;
        // Every request, SelectionRequest included, is read and left unanswered.
        XNextEvent(display, &event);
        if (event.type == SelectionClear)
            fprintf(stderr, "hung-clipboard-owner: lost the clipboard\n");
    }
}

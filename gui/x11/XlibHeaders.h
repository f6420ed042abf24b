#pragma once

// Xlib calls its key numbers KeyCode, the name of the graphics core's key type, so
// every file here reads the X headers through this one, with Xlib's name moved
// aside to XlibKeyCode.
#define KeyCode XlibKeyCode
#include <X11/X.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#undef KeyCode

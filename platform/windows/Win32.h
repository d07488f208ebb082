// The Win32 headers, in the order they need, without the macros that would
// rename the platform interface's own functions: <windows.h> defines
// ShellExecute, RegOpenKeyEx and RegQueryValueEx as names of the A or W
// functions. The program calls the A functions by their full names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#undef ShellExecute
#undef RegOpenKeyEx
#undef RegQueryValueEx

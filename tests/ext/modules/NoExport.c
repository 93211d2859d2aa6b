/* A shared library for the tests that lacks the module entry point. */
#include "ext/interface/VantrelExtension.h"

VANTREL_EXPORT int NotTheEntryPoint(void) { return 1; }

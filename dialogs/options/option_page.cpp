#include "dialogs/options/option_page.h"

// The page interface is header-only; this file gives its meta object a home.

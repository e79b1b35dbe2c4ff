// Symbol visibility of the orvell library. The library is built with hidden visibility; only
// the classes and functions marked ORVELL_EXPORT form its binary interface.
#pragma once

#include <QtCore/qglobal.h>

#if defined(ORVELL_STATIC)
#define ORVELL_EXPORT
#elif defined(ORVELL_BUILDING_LIBRARY)
#define ORVELL_EXPORT Q_DECL_EXPORT
#else
#define ORVELL_EXPORT Q_DECL_IMPORT
#endif

// The defaults file of the option-list control. A newly created OrvellList takes its initial
// property values from the section [Orvell] of the file KV4WIN.INI; keys that are absent or
// unreadable leave the control's built-in initial values.
//
// Where the file is looked for, first match wins:
//   1. the per-user configuration folder: $XDG_CONFIG_HOME/KV4WIN.INI (normally
//      ~/.config/KV4WIN.INI), QStandardPaths::GenericConfigLocation;
//   2. the folder that holds the orvell library itself;
//   3. the folder of the running program.
// Defaults are written (OrvellList::SaveAsDefaults, the property page) to the first of these.
//
// Keys of [Orvell]: BorderStyle, ThreeD, BorderEffect, LeftMargin, TopMargin, Spacing,
// ListIndex, Align, ItemAlign, ItemGap, ShadowColor, ItemForeColor, BackColor, ForeColor,
// MousePointer, FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru and
// the ItemFont... twins. Numbers are decimal; colours may also be written &H8000000F or
// 0x8000000F; flags as 0/1/-1 or true/false. Key and section names ignore case.
#pragma once

#include <QtCore/QStringList>

#include "orvell/orvell_export.h"

namespace orvell {

inline constexpr char kDefaultsFileName[] = "KV4WIN.INI";
inline constexpr char kDefaultsSection[] = "Orvell";

// The candidate files in search order.
ORVELL_EXPORT QStringList DefaultsFileSearchPaths();

// Replaces the candidate files (full file paths); an empty list restores the standard ones.
// Meant for hosts with their own layout and for tests.
ORVELL_EXPORT void SetDefaultsFileSearchPaths(const QStringList& files);

// The file the defaults are written to: the first candidate.
ORVELL_EXPORT QString DefaultsFileWritePath();

}  // namespace orvell

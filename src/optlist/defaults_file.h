// Initial property values from the defaults file KV4WIN.INI, section [Orvell], and writing
// them back (orvell/orvell_defaults.h says where the file is).
#pragma once

#include <QtCore/QString>

#include "ini_file.h"
#include "property_set.h"

namespace orvell {

// The initial values with every readable key of the section applied over them.
OrvellProperties DefaultsFromIni(const IniFile& ini);

// DefaultsFromIni of the first candidate file that exists and can be read, or the initial
// values when there is none.
OrvellProperties ReadDefaultProperties();

// Sets the defaults keys of the section from properties, leaving every other line as it was.
void PutDefaults(const OrvellProperties& properties, IniFile& ini);

// Reads (when present), updates and rewrites the file at path safely (file_replacer.h): only
// the defaults keys change, every other line stays byte for byte. A file that exists but cannot
// be read, or cannot be written, is left as it was: false, with the reason in *error.
bool WriteDefaultProperties(const OrvellProperties& properties, const QString& path,
                            QString* error);

}  // namespace orvell

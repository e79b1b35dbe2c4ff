#include "orvell/orvell_error.h"

namespace orvell {

InvalidPropertyValue::InvalidPropertyValue(const QString& message)
    : std::runtime_error(message.toStdString()) {}

// Defined here so that the class's type information lives in the library and an exception
// raised inside it is caught by its type in the host.
InvalidPropertyValue::~InvalidPropertyValue() = default;

}  // namespace orvell

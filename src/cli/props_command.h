// torvane-cli props: the caloric properties of a gas at a pressure and a temperature.
#pragma once

#include "cli/cli_command.h"

namespace torvane::cli {

extern const CliCommand kPropsCommand;

}  // namespace torvane::cli

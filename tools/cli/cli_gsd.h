#pragma once

#include "cli_command.h"

// "gsd CONF_DIR OUT_FILE [--force]": the GSD file of a configuration.
Cli_Command Gsd_Cli_Command();

#pragma once

#include "cli_command.h"

// "poll CONF_DIR PORT [--table read|write|both] [--rows FIRST-LAST] [--json]":
// asks the Modbus slaves for what the saved rules read.
Cli_Command Poll_Cli_Command();

#pragma once

#include "cli_command.h"

// kc40927-cli build CONF_DIR: compiles and writes CONF_DIR/bin/bank.bin.
Cli_Command Build_Cli_Command();

// kc40927-cli inspect BANK_FILE: a readable dump of an image of either layout.
Cli_Command Inspect_Cli_Command();

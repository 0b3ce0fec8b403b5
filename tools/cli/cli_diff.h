#pragma once

#include "cli_command.h"

// "diff A B [--json]": what changed between two configurations or images.
Cli_Command Diff_Cli_Command();

#pragma once

#include "cli_command.h"

// kc40927-cli check CONF_DIR [--json]: every check of the editors and of the
// image build, and the I/O map's findings, on the stored documents.
Cli_Command Check_Cli_Command();

// kc40927-cli map CONF_DIR: the PROFIBUS input and output areas as text.
Cli_Command Map_Cli_Command();

// Exit status of check when only warnings were found.
inline constexpr int Cli_Warnings = 3;

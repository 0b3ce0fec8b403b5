#pragma once

#include "base/text_table.h"

// The text table in the language the configurator next to this program has
// chosen (Struttor.xml and the LANGUAGE folder in its data folder, see
// program_folder.h); the English defaults when there is no such choice or its file cannot be read.
Text_Table Cli_Text_Table();

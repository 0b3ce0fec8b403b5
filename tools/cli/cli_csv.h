#pragma once

#include "cli_command.h"

// "export-csv CONF_DIR read|write|diagnosis OUT.csv": one table of the
// configuration as a CSV file for spreadsheets.
Cli_Command Export_Csv_Cli_Command();

// "import-csv CONF_DIR read|write|diagnosis IN.csv": replaces one table of
// the configuration's document with a CSV file, after the editor's checks.
Cli_Command Import_Csv_Cli_Command();

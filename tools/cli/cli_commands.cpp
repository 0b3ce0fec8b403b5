#include "cli_commands.h"

#include "cli_bank_commands.h"
#include "cli_csv.h"
#include "cli_diff.h"
#include "cli_gsd.h"
#include "cli_io_map_commands.h"
#include "cli_poll.h"
#include "cli_report.h"

QList<Cli_Command> All_Cli_Commands() {
    return {
        Build_Cli_Command(),  Inspect_Cli_Command(), Gsd_Cli_Command(),        Check_Cli_Command(),
        Map_Cli_Command(),    Poll_Cli_Command(),    Export_Csv_Cli_Command(), Import_Csv_Cli_Command(),
        Report_Cli_Command(), Diff_Cli_Command(),
    };
}

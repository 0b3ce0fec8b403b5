#include "cli_commands.h"

#include "cli_gsd.h"

QList<Cli_Command> All_Cli_Commands() {
    return {
        Gsd_Cli_Command(),
    };
}

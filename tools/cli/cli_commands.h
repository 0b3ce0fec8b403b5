#pragma once

#include "cli_command.h"

#include <QList>

// Every command of kc40927-cli; each is defined in its own file.
QList<Cli_Command> All_Cli_Commands();

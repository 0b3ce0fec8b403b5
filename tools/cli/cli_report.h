#pragma once

#include "cli_command.h"

#include <QCoreApplication>
#include <memory>

// "report CONF_DIR OUT.pdf|OUT.html": the commissioning report.
Cli_Command Report_Cli_Command();

// The application object of the run: a QGuiApplication for the report
// command, whose PDF rendering lays out text with Qt Gui, on the offscreen
// platform unless QT_QPA_PLATFORM names another (the command never shows a
// window, and needs no display); a QCoreApplication for every other command.
std::unique_ptr<QCoreApplication> Make_Cli_Application(int& argc, char** argv);

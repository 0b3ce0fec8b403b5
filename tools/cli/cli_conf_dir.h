#pragma once

#include <QString>
#include <QTextStream>

// True when `conf_dir` is a folder whose entries can be read; otherwise says
// why on `err`, after "kc40927-cli COMMAND: ", with the usage line.
bool Check_Conf_Dir(const QString& conf_dir, const QString& command, const QString& usage, QTextStream& err);

#include "base/app_state.h"

QString Join_Path(const QString& dir, const QString& name) {
    if (dir.endsWith(u'/'))
        return dir + name;
    return dir + u'/' + name;
}

void App_State::Set_Program_Dir(const QString& program_dir) {
    Program_Dir = program_dir;
    while (Program_Dir.size() > 1 && Program_Dir.endsWith(u'/'))
        Program_Dir.chop(1);
    Master_Dir = Join_Path(Program_Dir, QStringLiteral("MASTER"));
    Projects_Dir = Join_Path(Program_Dir, QStringLiteral("PROJECTS"));
    Language_Dir = Join_Path(Program_Dir, QStringLiteral("LANGUAGE"));
}

void App_State::Set_Files() {
    if (Conf_Dir.isEmpty()) { // no configuration: no document may be reached
        ParGen_File.clear();
        Sdo_File.clear();
        Diagnosis_File.clear();
        return;
    }
    ParGen_File = Join_Path(Conf_Dir, QStringLiteral("ParGen.xml"));
    Sdo_File = Join_Path(Conf_Dir, QStringLiteral("sdo.xml"));
    Diagnosis_File = Join_Path(Conf_Dir, QStringLiteral("diagnosis.xml"));
}

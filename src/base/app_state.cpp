#include "base/app_state.h"
#include "base/document_files.h"

QString Join_Path(const QString& dir, const QString& name) {
    if (dir.endsWith(u'/'))
        return dir + name;
    return dir + u'/' + name;
}

void App_State::Set_Program_Dir(const QString& program_dir) {
    Program_Dir = program_dir;
    while (Program_Dir.size() > 1 && Program_Dir.endsWith(u'/'))
        Program_Dir.chop(1);
    const QString data = Data_Folder();
    Master_Dir = Join_Path(data, QStringLiteral("MASTER"));
    Projects_Dir = Join_Path(data, QStringLiteral("PROJECTS"));
    Language_Dir = Join_Path(data, QStringLiteral("LANGUAGE"));
}

QString App_State::Data_Folder() const {
    return Data_Dir.isEmpty() ? Program_Dir : Data_Dir;
}

void App_State::Set_Files() {
    if (Conf_Dir.isEmpty()) { // no configuration: no document may be reached
        ParGen_File.clear();
        Sdo_File.clear();
        Diagnosis_File.clear();
        return;
    }
    ParGen_File = Join_Path(Conf_Dir, Document_File::ParGen);
    Sdo_File = Join_Path(Conf_Dir, Document_File::Sdo);
    Diagnosis_File = Join_Path(Conf_Dir, Document_File::Diagnosis);
}

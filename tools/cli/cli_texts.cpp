#include "cli_texts.h"

#include "app/settings_file.h"
#include "base/app_state.h"
#include "base/kc_error.h"
#include "base/program_folder.h"
#include "text/language_file.h"

#include <QCoreApplication>

Text_Table Cli_Text_Table() {
    Text_Table texts;
    App_State state;
    const QString program_dir = QCoreApplication::applicationDirPath();
    state.Data_Dir = Data_Dir_For_Program(program_dir, User_Data_Dir(), false);
    state.Set_Program_Dir(program_dir);
    Read_Settings(Settings_File_Path(state), state);
    try {
        Load_Language(state, texts);
    } catch (const Kc_Error&) {
        texts.Set_Default_Texts();
    }
    return texts;
}

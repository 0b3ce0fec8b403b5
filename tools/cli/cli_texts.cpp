#include "cli_texts.h"

#include "base/app_state.h"
#include "base/kc_error.h"
#include "app/settings_file.h"
#include "text/language_file.h"

#include <QCoreApplication>

Text_Table Cli_Text_Table() {
    Text_Table texts;
    App_State state;
    state.Set_Program_Dir(QCoreApplication::applicationDirPath());
    Read_Settings(Settings_File_Path(state), state);
    try {
        Load_Language(state, texts);
    } catch (const Kc_Error&) {
        texts.Set_Default_Texts();
    }
    return texts;
}

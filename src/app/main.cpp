#include "app/main_window.h"
#include "app/ui_services_gui.h"
#include "base/app_state.h"
#include "base/program_folder.h"
#include "base/text_table.h"
#include "text/maker_version_source.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

int main(int argc, char** argv) {
    // 1. The GUI application.
    // No application display name: the platform would append it to every
    // window title, and the titles are the product's own.
    QApplication app(argc, argv);

    App_State state;
    // Data next to the program, or in the user's data folder when the
    // program folder is read-only (an installed package).
    const QString program_dir = QCoreApplication::applicationDirPath();
    QString data_error;
    state.Data_Dir = Data_Dir_For_Program(program_dir, User_Data_Dir(), true, &data_error);
    Text_Table texts;
    // Boxes carry the software code as their title.
    Ui_Services_Gui ui(texts, state.Soft_Code);
    // The periodic check asks the maker's version service.
    Maker_Version_Source versions;

    // 2. The main window; its start-up runs before any dialog exists.
    TFStruttoreFirmWare window(state, texts, ui, versions, program_dir);
    ui.Set_Parent(&window);
    if (!data_error.isEmpty())
        ui.Error_Box(data_error);

    // 3. The dialogs are created at their first showing.

    // 4. Centred on the screen, then the message loop until the window closes.
    if (const QScreen* screen = window.screen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    window.show();
    return app.exec();
}

#include "base/kc_error.h"
#include "base/output_path.h"
#include "base/shown_text.h"
#include "base/text_table.h"
#include "cli_bank_commands.h"
#include "cli_texts.h"
#include "output/bank_build.h"

#include <QDir>
#include <QFileInfo>

Cli_Command Build_Cli_Command() {
    Cli_Command command;
    command.name = QStringLiteral("build");
    command.usage = QStringLiteral("build CONF_DIR");
    command.summary = QStringLiteral("compile a configuration into CONF_DIR/bin/bank.bin");
    command.help =
        QStringLiteral("Compiles the stored documents of the configuration folder CONF_DIR (ParGen.xml,\n"
                       "sdo.xml, diagnosis.xml) into the configuration image, exactly as the\n"
                       "configurator's Update Device step does, and writes it to CONF_DIR/bin/bank.bin.\n"
                       "Hardware type 1 gives the fixed layout (18432 bytes), every other type the\n"
                       "packed layout. Prints the layout, the size and the rule counts.\n"
                       "\n"
                       "Exit status: 0 written; 1 the build or the write failed (the message names\n"
                       "the document, the rule or element and the value; the old bank.bin is left as\n"
                       "it was; a bin/bank.bin that is a folder, a device or a link to one of the\n"
                       "documents is refused, writing nothing); 2 wrong arguments or CONF_DIR is not a\n"
                       "folder.");
    command.run = [](const QStringList& args, QTextStream& out, QTextStream& err) {
        if (args.size() != 1 || args[0].startsWith(u'-')) {
            err << "kc40927-cli build: expected one argument, usage: kc40927-cli build CONF_DIR\n";
            return Cli_Usage;
        }
        const QString conf_dir = args[0];
        if (!QFileInfo(conf_dir).isDir()) {
            err << "kc40927-cli build: " << Shown_Path(conf_dir)
                << " is not a folder, usage: kc40927-cli build CONF_DIR\n";
            return Cli_Usage;
        }
        // bank.bin replaced by a folder, a device or a link to a document:
        // refused before the build.
        const QString bank = Bank_File_Path(conf_dir);
        const Output_Path_Problem problem = Check_Output_Path(bank, conf_dir, bank);
        if (problem != Output_Path_Problem::None) {
            err << "kc40927-cli build: " << Output_Path_Message(Cli_Text_Table(), problem, bank) << "\n";
            return Cli_Failed;
        }
        try {
            const Bank_Image image = Build_Bank(conf_dir);
            Save_Bank(image.Bytes, conf_dir);
            out << "Wrote " << Shown_Path(Bank_File_Path(conf_dir)) << "\n";
            out << "Layout: " << Bank_Layout_Name(image.Layout) << " (hardware type " << image.Hardware_Type
                << ")\n";
            out << "Size: " << image.Bytes.size() << " bytes\n";
            out << "Rules: " << image.Input_Rules << " input, " << image.Output_Rules << " output"
                << (image.Layout == Bank_Layout::Fixed ? " (enabled)" : "") << "\n";
            if (image.Layout == Bank_Layout::Packed)
                out << "Diagnosis entries: " << image.Diagnosis_Entries << "\n";
            return Cli_Ok;
        } catch (const Kc_Error& error) {
            err << "kc40927-cli build: " << error.Message() << "\n";
            return Cli_Failed;
        }
    };
    return command;
}

// Stand-in for the Ethernet updater: reads Ethernet_Update.xml next to
// itself, checks that its elements stand in their fixed order, loads the file
// of every Operation (checking bank.bin), and logs what it would send to the
// device in Ethernet_Update.log next to itself (in the user's data folder
// when its own folder is read-only). It sends nothing.
#include "../updater_log.h"
#include "base/kc_error.h"
#include "base/xml_document.h"
#include "update/update_options.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomElement>

namespace {

const QStringList top_elements = {QStringLiteral("Version"),
                                  QStringLiteral("Title"),
                                  QStringLiteral("IP_Address_Dev"),
                                  QStringLiteral("Application_Port"),
                                  QStringLiteral("Boot_Port"),
                                  QStringLiteral("Boot_Port_Sec"),
                                  QStringLiteral("Address_Protection"),
                                  QStringLiteral("Protections"),
                                  QStringLiteral("Operations")};

const QStringList firmware_elements = {QStringLiteral("Ope_Protection_Enabled"),
                                       QStringLiteral("Ope_GoToBoot_Before"),
                                       QStringLiteral("Ope_GoToApp_Before"),
                                       QStringLiteral("Ope_IP_Address"),
                                       QStringLiteral("Ope_Port"),
                                       QStringLiteral("Ope_Port_Sec"),
                                       QStringLiteral("Ope_Erase_Memory"),
                                       QStringLiteral("Ope_FileName"),
                                       QStringLiteral("Ope_Start_Address"),
                                       QStringLiteral("Ope_Memory_Type"),
                                       QStringLiteral("Ope_Bank_Type"),
                                       QStringLiteral("Ope_Read_Back"),
                                       QStringLiteral("Ope_Write_CSS"),
                                       QStringLiteral("Ope_Address_CSS"),
                                       QStringLiteral("Ope_Command_CSS"),
                                       QStringLiteral("Ope_GoToApp_After")};

QStringList Configuration_Elements() {
    QStringList names = firmware_elements;
    names.insert(names.size() - 1, QStringLiteral("Ope_Write_Internal_Data"));
    names.insert(names.size() - 1, QStringLiteral("Ope_WID_Address"));
    names.insert(names.size() - 1, QStringLiteral("Ope_WID_Command"));
    names.insert(names.size() - 1, QStringLiteral("Ope_WID_Data"));
    return names;
}

QStringList Child_Names(const QDomElement& parent) {
    QStringList names;
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        names << child.tagName();
    return names;
}

QString Text_Of(const QDomElement& parent, const QString& name) {
    return parent.firstChildElement(name).text();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Updater_Log log(Ethernet_Updater_Name);
    if (app.arguments().size() > 1)
        log.Add(QStringLiteral("command line: ") + app.arguments().mid(1).join(QLatin1Char(' ')));
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(Ethernet_Parameter_File);
    log.Add(QStringLiteral("parameter file: ") + QDir::toNativeSeparators(path));
    if (!QFile::exists(path))
        return log.Fail(QStringLiteral("%1 does not exist").arg(QDir::toNativeSeparators(path)),
                        Updater_File_Error);
    QDomDocument document;
    try {
        document = Load_Xml_File(path);
    } catch (const Kc_Error& error) {
        return log.Fail(error.Message(), Updater_File_Error);
    }
    const QDomElement root = document.documentElement();
    if (root.tagName() != QLatin1String("Ethernet_Update"))
        return log.Fail(QStringLiteral("the root element is %1, not Ethernet_Update").arg(root.tagName()),
                        Updater_Bad_Input);
    if (Child_Names(root) != top_elements)
        return log.Fail(
            QStringLiteral("elements %1, expected %2")
                .arg(Child_Names(root).join(QLatin1Char(',')), top_elements.join(QLatin1Char(','))),
            Updater_Bad_Input);
    log.Add(QStringLiteral("device: %1, application port %2, boot ports %3/%4")
                .arg(Text_Of(root, QStringLiteral("IP_Address_Dev")),
                     Text_Of(root, QStringLiteral("Application_Port")),
                     Text_Of(root, QStringLiteral("Boot_Port")),
                     Text_Of(root, QStringLiteral("Boot_Port_Sec"))));

    const QDomElement operations = root.firstChildElement(QStringLiteral("Operations"));
    int count = 0;
    for (QDomElement operation = operations.firstChildElement(); !operation.isNull();
         operation = operation.nextSiblingElement()) {
        ++count;
        if (operation.tagName() != QLatin1String("Operation"))
            return log.Fail(QStringLiteral("%1 inside Operations").arg(operation.tagName()),
                            Updater_Bad_Input);
        const QString bank_type = Text_Of(operation, QStringLiteral("Ope_Bank_Type"));
        const bool firmware = bank_type == QLatin1String("1");
        if (!firmware && bank_type != QLatin1String("2"))
            return log.Fail(QStringLiteral("operation %1: bank type %2").arg(count).arg(bank_type),
                            Updater_Bad_Input);
        const QStringList expected = firmware ? firmware_elements : Configuration_Elements();
        if (Child_Names(operation) != expected)
            return log.Fail(
                QStringLiteral("operation %1: elements %2, expected %3")
                    .arg(count)
                    .arg(Child_Names(operation).join(QLatin1Char(',')), expected.join(QLatin1Char(','))),
                Updater_Bad_Input);
        const QString file = Text_Of(operation, QStringLiteral("Ope_FileName"));
        QByteArray bytes;
        QString error;
        if (!Load_Named_File(file, bytes, error))
            return log.Fail(QStringLiteral("operation %1: %2").arg(count).arg(error), Updater_File_Error);
        if (!firmware) {
            QString wrong;
            if (!Check_Bank(bytes, Bank_Layout::Fixed, log, wrong))
                return log.Fail(
                    QStringLiteral("operation %1: %2 is not a configuration image of the Ethernet "
                                   "hardware: %3")
                        .arg(count)
                        .arg(QDir::toNativeSeparators(file), wrong),
                    Updater_File_Error);
        }
        log.Add(
            QStringLiteral("operation %1: %2 %3 (%4 bytes) at %5, read back %6, go to application after %7")
                .arg(count)
                .arg(firmware ? QStringLiteral("firmware") : QStringLiteral("configuration"),
                     QDir::toNativeSeparators(file))
                .arg(bytes.size())
                .arg(Text_Of(operation, QStringLiteral("Ope_Start_Address")),
                     Text_Of(operation, QStringLiteral("Ope_Read_Back")),
                     Text_Of(operation, QStringLiteral("Ope_GoToApp_After"))));
    }
    if (count == 0)
        return log.Fail(QStringLiteral("no Operation in %1").arg(QDir::toNativeSeparators(path)),
                        Updater_Bad_Input);
    log.Add(QStringLiteral("result: every file loaded"));
    return log.Append() ? Updater_Done : Updater_Log_Error;
}

#include "report/report_data.h"

#include "base/file_lookup.h"
#include "base/kc_error.h"
#include "base/product_info.h"
#include "config/diagnosis_names.h"
#include "config/pargen_view.h"
#include "config/sdo_names.h"
#include "output/bank_build.h"
#include "output/bank_decoder.h"
#include "output/gsd_writer.h"
#include "report/configuration_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The Ident_Number line of the GSD file the GSD step writes.
QString Gsd_Ident_Number() {
    const QByteArray key = "Ident_Number = ";
    const QList<QByteArray> lines = Write_GSD(0, 0).split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith(key))
            return QString::fromLatin1(line.mid(key.size()).trimmed());
    return {};
}

Report_Bank Read_Bank(const QString& conf_dir) {
    Report_Bank bank;
    const QString path = Bank_File_Path(conf_dir);
    const QFileInfo info(path);
    if (!info.isFile())
        return bank;
    bank.Built = true;
    bank.File = QDir::toNativeSeparators(QDir(conf_dir).relativeFilePath(path));
    bank.Modified = info.lastModified();
    bank.Size = info.size();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        bank.Error =
            QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return bank;
    }
    // An image is at most the device's buffer; anything larger is no image.
    if (bank.Size > Bank::Packed_Image_Limit) {
        bank.Error = QStringLiteral("%1 is no configuration image: %2 bytes")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(bank.Size);
        return bank;
    }
    try {
        const Decoded_Bank decoded = Decode_Bank(file.readAll());
        bank.Layout = decoded.Layout;
        bank.Has_Checksum = decoded.Has_Checksum;
        bank.Checksum_Stored = decoded.Checksum_Stored;
        bank.Checksum_Computed = decoded.Checksum_Computed;
    } catch (const Kc_Error& error) {
        bank.Error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + error.Message();
    }
    return bank;
}

} // namespace

Report_Data Read_Report_Data(const QString& conf_dir, const QDateTime& date) {
    Report_Data data;
    data.Conf_Name = QFileInfo(QDir::cleanPath(conf_dir)).fileName();
    data.Date = date;
    data.Program_Version = Program_Version;

    const ParGen_View pargen = ParGen_View::Read_In(conf_dir);
    data.Has_General_Params = pargen.Exists();
    data.Params = General_Params_Of(pargen);
    data.Hardware_Type = pargen.Number(Par_Gen::Hardware_Type, 0);
    data.Limits = Rules_Limits_Of(pargen);
    data.Rules = Load_Sdo(Find_File_No_Case(conf_dir, Sdo::File_Name));
    data.Diagnosis = Load_Diagnosis(Find_File_No_Case(conf_dir, Diagnosis_Doc::File_Name));

    if (data.Has_General_Params) {
        try {
            data.Gsd_Areas = GSD_Areas_Of(pargen);
        } catch (const Kc_Error& error) {
            data.Gsd_Error = error.Message();
        }
    }
    data.Gsd_Files =
        QDir(conf_dir).entryList({QStringLiteral("*.gsd")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    data.Gsd_Ident = Gsd_Ident_Number();

    data.Bank = Read_Bank(conf_dir);
    data.Map = Io_Map_Of(data.Params, data.Limits, data.Rules);
    return data;
}

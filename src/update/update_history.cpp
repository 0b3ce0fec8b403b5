#include "update/update_history.h"

#include "base/kc_error.h"
#include "base/save_file.h"
#include "base/shown_text.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

// Names of history.xml.
const QString root_name = QStringLiteral("Update_History");
const QString entry_name = QStringLiteral("Update");
const QString attr_format = QStringLiteral("Format");
const QString attr_time = QStringLiteral("Time");
const QString attr_hardware = QStringLiteral("Hardware_Type");
const QString attr_firmware = QStringLiteral("Firmware");
const QString attr_configuration = QStringLiteral("Configuration");
const QString attr_read_back = QStringLiteral("Read_Back");
const QString attr_target = QStringLiteral("Target");
const QString attr_end = QStringLiteral("End");
const QString attr_exit_code = QStringLiteral("Exit_Code");
const QString attr_sha = QStringLiteral("Image_Sha256");
const QString attr_image = QStringLiteral("Image_File");
const QString attr_log = QStringLiteral("Log_File");

// The history is small: 200 entries of a few hundred bytes. A file far
// larger is no history of this program.
constexpr qint64 max_history_bytes = 1024 * 1024;

const QString sent_folder = QStringLiteral("bin/sent");

struct End_Name {
    Update_End end;
    QLatin1StringView name;
};
constexpr End_Name end_names[] = {
    {Update_End::Exit_Status, QLatin1StringView("exit_status")},
    {Update_End::Crashed, QLatin1StringView("crashed")},
    {Update_End::Still_Running, QLatin1StringView("still_running")},
    {Update_End::Refused, QLatin1StringView("refused")},
    {Update_End::Stopped, QLatin1StringView("stopped")},
};

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString History_Path(const QString& conf_dir) {
    return QDir(conf_dir).filePath(History_File_Name);
}

Update_History Unreadable(const QString& problem) {
    Update_History history;
    history.Status = Update_History::State::Unreadable;
    history.Problem = problem;
    return history;
}

// A relative path of the sent folder as an entry may name it: nothing that
// leaves the configuration folder.
bool Is_Sent_File(const QString& relative) {
    if (relative.isEmpty())
        return true;
    if (!relative.startsWith(sent_folder + u'/'))
        return false;
    const QString name = relative.mid(sent_folder.size() + 1);
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String("..");
}

std::optional<Update_Entry> Read_Entry(const QXmlStreamAttributes& attributes) {
    Update_Entry entry;
    entry.Time = QDateTime::fromString(attributes.value(attr_time).toString(), Qt::ISODateWithMs);
    if (!entry.Time.isValid())
        return std::nullopt;
    entry.Time = entry.Time.toUTC();
    bool ok = false;
    entry.Hardware_Type = attributes.value(attr_hardware).toInt(&ok);
    if (!ok)
        return std::nullopt;
    entry.Firmware = attributes.value(attr_firmware) == QLatin1String("1");
    entry.Configuration = attributes.value(attr_configuration) == QLatin1String("1");
    entry.Read_Back = attributes.value(attr_read_back) == QLatin1String("1");
    entry.Target = attributes.value(attr_target).toString();
    const QStringView end = attributes.value(attr_end);
    const auto known = std::find_if(std::begin(end_names), std::end(end_names),
                                    [&](const End_Name& name) { return end == name.name; });
    if (known == std::end(end_names))
        return std::nullopt;
    entry.End = known->end;
    entry.Exit_Code = attributes.value(attr_exit_code).toInt(&ok);
    if (!ok)
        return std::nullopt;
    entry.Image_Sha256 = attributes.value(attr_sha).toString();
    entry.Image_File = attributes.value(attr_image).toString();
    entry.Log_File = attributes.value(attr_log).toString();
    if (!Is_Sent_File(entry.Image_File) || !Is_Sent_File(entry.Log_File))
        return std::nullopt;
    return entry;
}

// Forgets the images beyond the newest Max_Sent_Images: the entries keep
// their checksums but no longer name a file.
void Forget_Old_Images(QList<Update_Entry>& entries) {
    int images = 0;
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        if (!entries[i].Image_File.isEmpty() && ++images > Max_Sent_Images)
            entries[i].Image_File.clear();
    }
}

// Removes the files of the sent folder that no entry names (any more).
void Remove_Unnamed_Sent_Files(const QString& conf_dir, const QList<Update_Entry>& entries) {
    QStringList kept;
    for (const Update_Entry& entry : entries)
        kept << QFileInfo(entry.Image_File).fileName() << QFileInfo(entry.Log_File).fileName();
    const QDir sent(QDir(conf_dir).filePath(sent_folder));
    for (const QString& name : sent.entryList({QStringLiteral("*.bin"), QStringLiteral("*.log")},
                                              QDir::Files | QDir::NoDotAndDotDot)) {
        if (!kept.contains(name))
            QFile::remove(sent.filePath(name));
    }
}

void Save_History(const QString& conf_dir, const QList<Update_Entry>& entries) {
    Save_File_Atomically(History_Path(conf_dir), Update_History_Xml(entries));
}

// The history to add to: the one read, or a fresh one after the unreadable
// file has been put aside.
QList<Update_Entry> History_To_Extend(const QString& conf_dir, const QString& stem) {
    const Update_History history = Read_Update_History(conf_dir);
    if (history.Status == Update_History::State::Read)
        return history.Entries;
    if (history.Status != Update_History::State::Missing) {
        const QString path = History_Path(conf_dir);
        const QString aside = path + QStringLiteral(".unreadable-") + stem;
        if (!QFile::rename(path, aside))
            throw Kc_Error(QStringLiteral("Cannot put the unreadable update history ") + Shown_Path(path) +
                           QStringLiteral(" aside as ") + Shown_Path(aside));
    }
    return {};
}

QString Tail_Of_Output(const QString& output) {
    QByteArray bytes = output.toUtf8();
    if (bytes.size() <= Max_Sent_Log_Bytes)
        return output;
    // Cut at a character boundary: skip continuation bytes.
    qsizetype from = bytes.size() - Max_Sent_Log_Bytes;
    while (from < bytes.size() && (static_cast<unsigned char>(bytes[from]) & 0xC0) == 0x80)
        ++from;
    return QString::fromUtf8(bytes.mid(from));
}

} // namespace

QString Sent_Stem(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss.zzzZ"));
}

QString Image_Sha256(const QByteArray& image) {
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

QByteArray Update_History_Xml(const QList<Update_Entry>& entries) {
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.writeStartElement(root_name);
    writer.writeAttribute(attr_format, QString::number(History_Format_Version));
    for (const Update_Entry& entry : entries) {
        writer.writeStartElement(entry_name);
        writer.writeAttribute(attr_time, entry.Time.toUTC().toString(Qt::ISODateWithMs));
        writer.writeAttribute(attr_hardware, QString::number(entry.Hardware_Type));
        writer.writeAttribute(attr_firmware, Flag(entry.Firmware));
        writer.writeAttribute(attr_configuration, Flag(entry.Configuration));
        writer.writeAttribute(attr_read_back, Flag(entry.Read_Back));
        writer.writeAttribute(attr_target, entry.Target);
        for (const End_Name& name : end_names)
            if (name.end == entry.End)
                writer.writeAttribute(attr_end, QString(name.name));
        writer.writeAttribute(attr_exit_code, QString::number(entry.Exit_Code));
        writer.writeAttribute(attr_sha, entry.Image_Sha256);
        writer.writeAttribute(attr_image, entry.Image_File);
        writer.writeAttribute(attr_log, entry.Log_File);
        writer.writeEndElement();
    }
    writer.writeEndElement();
    return bytes;
}

Update_History Parse_Update_History(const QByteArray& bytes) {
    QXmlStreamReader reader(bytes);
    Update_History history;
    history.Status = Update_History::State::Read;
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (depth == 1) {
                if (reader.name() != root_name)
                    return Unreadable(QStringLiteral("its root element is not ") + root_name);
                bool ok = false;
                const int format = reader.attributes().value(attr_format).toInt(&ok);
                if (!ok)
                    return Unreadable(QStringLiteral("it names no format version"));
                if (format > History_Format_Version) {
                    Update_History future;
                    future.Status = Update_History::State::Future;
                    future.Problem = QStringLiteral("it was written in format ") + QString::number(format) +
                                     QStringLiteral(" by a newer program");
                    return future;
                }
            } else if (depth == 2 && reader.name() == entry_name) {
                const std::optional<Update_Entry> entry = Read_Entry(reader.attributes());
                if (!entry)
                    return Unreadable(QStringLiteral("entry ") + QString::number(history.Entries.size() + 1) +
                                      QStringLiteral(" cannot be read"));
                history.Entries.append(*entry);
            } else if (depth > 2) {
                return Unreadable(QStringLiteral("it nests elements no history holds"));
            }
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    if (reader.hasError())
        return Unreadable(QStringLiteral("line ") + QString::number(reader.lineNumber()) +
                          QStringLiteral(": ") + reader.errorString());
    if (history.Entries.size() > Max_History_Entries)
        history.Entries = history.Entries.mid(history.Entries.size() - Max_History_Entries);
    return history;
}

Update_History Read_Update_History(const QString& conf_dir) {
    QFile file(History_Path(conf_dir));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable(file.errorString());
    if (file.size() > max_history_bytes)
        return Unreadable(QStringLiteral("it is far larger than any update history"));
    const QByteArray bytes = file.read(max_history_bytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Unreadable(file.errorString());
    return Parse_Update_History(bytes);
}

void Record_Update(const QString& conf_dir, Update_Entry entry, const QByteArray& image,
                   const QString& output) {
    const QString stem = Sent_Stem(entry.Time);
    QList<Update_Entry> entries = History_To_Extend(conf_dir, stem);
    const QDir conf(conf_dir);
    if (!image.isEmpty() || !output.isEmpty()) {
        if (!conf.mkpath(sent_folder))
            throw Kc_Error(QStringLiteral("Cannot create the folder ") +
                           Shown_Path(conf.filePath(sent_folder)));
    }
    if (!image.isEmpty()) {
        entry.Image_Sha256 = Image_Sha256(image);
        entry.Image_File = sent_folder + u'/' + stem + QStringLiteral(".bin");
        Save_File_Atomically(conf.filePath(entry.Image_File), image);
    }
    if (!output.isEmpty()) {
        entry.Log_File = sent_folder + u'/' + stem + QStringLiteral(".log");
        Save_File_Atomically(conf.filePath(entry.Log_File), Tail_Of_Output(output).toUtf8());
    }
    entry.Time = entry.Time.toUTC();
    entries.append(entry);
    if (entries.size() > Max_History_Entries)
        entries.remove(0, entries.size() - Max_History_Entries);
    Forget_Old_Images(entries);
    // The history first, so no entry ever names a file already removed.
    Save_History(conf_dir, entries);
    Remove_Unnamed_Sent_Files(conf_dir, entries);
}

void Complete_Update(const QString& conf_dir, const QDateTime& time, Update_End end, int exit_code,
                     const QString& output) {
    Update_History history = Read_Update_History(conf_dir);
    if (history.Status != Update_History::State::Read)
        return;
    const QDateTime utc = time.toUTC();
    for (qsizetype i = history.Entries.size() - 1; i >= 0; --i) {
        Update_Entry& entry = history.Entries[i];
        if (entry.Time != utc)
            continue;
        entry.End = end;
        entry.Exit_Code = exit_code;
        if (!output.isEmpty()) {
            const QDir conf(conf_dir);
            if (!conf.mkpath(sent_folder))
                throw Kc_Error(QStringLiteral("Cannot create the folder ") +
                               Shown_Path(conf.filePath(sent_folder)));
            entry.Log_File = sent_folder + u'/' + Sent_Stem(utc) + QStringLiteral(".log");
            Save_File_Atomically(conf.filePath(entry.Log_File), Tail_Of_Output(output).toUtf8());
        }
        Save_History(conf_dir, history.Entries);
        return;
    }
}

Device_State Device_State_Of(const Update_History& history, const std::optional<QByteArray>& built) {
    Device_State state;
    if (history.Status == Update_History::State::Unreadable ||
        history.Status == Update_History::State::Future) {
        state.Status = Device_State::Kind::History_Unusable;
        state.Problem = history.Problem;
        return state;
    }
    for (qsizetype i = history.Entries.size() - 1; i >= 0; --i) {
        if (history.Entries[i].Configuration && !history.Entries[i].Image_Sha256.isEmpty()) {
            state.Last_Sent = history.Entries[i];
            break;
        }
    }
    if (!state.Last_Sent)
        return state;
    if (!built)
        state.Status = Device_State::Kind::Cannot_Build;
    else if (Image_Sha256(*built) == state.Last_Sent->Image_Sha256)
        state.Status = Device_State::Kind::Up_To_Date;
    else
        state.Status = Device_State::Kind::Changed;
    return state;
}

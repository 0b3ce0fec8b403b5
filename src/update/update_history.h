#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What was sent to the device from a configuration: one entry per update the
// update dialog started, kept in history.xml in the configuration folder
// (root Update_History, one element Update per entry, oldest first, at most
// Max_History_Entries), with a copy of every configuration image handed over
// in bin/sent/<time>.bin (the last Max_Sent_Images kept) and the updater's
// output in bin/sent/<time>.log (as many as there are entries).

inline constexpr int Max_History_Entries = 200;
inline constexpr int Max_Sent_Images = 20;
// The output kept with an entry: the last this many bytes of UTF-8 text.
inline constexpr int Max_Sent_Log_Bytes = 256 * 1024;

inline const QString History_File_Name = QStringLiteral("history.xml");

// How an update ended.
enum class Update_End {
    Exit_Status,   // the updater ended; Exit_Code holds its status
    Crashed,       // it ended by a signal or an unhandled exception; Exit_Code holds which
    Still_Running, // it outlived the wait and had not ended when the history was last written
    Refused,       // it was not started (the program missing, the start refused)
    Stopped,       // the user stopped it; Exit_Code holds how it ended then
};

struct Update_Entry {
    QDateTime Time;        // when it started, UTC
    int Hardware_Type = 0; // 0 serial update, 1 Ethernet update
    bool Firmware = false; // what was sent
    bool Configuration = false;
    bool Read_Back = false;
    QString Target; // the serial port or the IP address
    Update_End End = Update_End::Refused;
    int Exit_Code = 0;
    QString Image_Sha256; // the bank.bin handed over, lower-case hex; empty without configuration
    QString Image_File;   // bin/sent/<time>.bin, relative to the configuration folder; empty without
    QString Log_File;     // bin/sent/<time>.log, relative; empty when nothing was kept

    bool operator==(const Update_Entry&) const = default;
};

// The history as read: the entries, or why there are none to trust.
struct Update_History {
    enum class State {
        Missing,    // no history.xml: nothing sent yet
        Read,       // read whole
        Unreadable, // not a history this program can read (Problem says why)
        Future,     // written by a newer program (Problem says which version)
    };
    State Status = State::Missing;
    QString Problem;
    QList<Update_Entry> Entries;
};

// The version of the history format this program writes and reads.
inline constexpr int History_Format_Version = 1;

// Reads history.xml of the configuration folder. Never throws: a file that
// cannot be read, is not well-formed, holds an entry it cannot read, or
// comes from a newer format is reported in the state, with no entries.
Update_History Read_Update_History(const QString& conf_dir);

// The history's text and its parsing, for tests and for the writer.
QByteArray Update_History_Xml(const QList<Update_Entry>& entries);
Update_History Parse_Update_History(const QByteArray& bytes);

// The names of the files kept with an entry: "2026-12-11T03-15-42.123Z"
// (sortable, valid on every file system).
QString Sent_Stem(const QDateTime& time);

// Records an update: appends the entry to the history (a history that could
// not be read is first renamed aside as history.xml.unreadable-<stem>, kept,
// and a fresh one started), keeps the image sent and the output under the
// entry's time, drops the oldest entries, images and logs beyond the bounds,
// and writes history.xml atomically. `image` is empty when no configuration
// was sent. Throws Kc_Error naming the file when one cannot be written; the
// history then stays as it was.
void Record_Update(const QString& conf_dir, Update_Entry entry, const QByteArray& image,
                   const QString& output);

// Completes the entry started at `time` once its updater, which outlived
// the wait, has ended: its end and the output it wrote meanwhile. Nothing
// happens when the history holds no such entry. Throws Kc_Error as
// Record_Update.
void Complete_Update(const QString& conf_dir, const QDateTime& time, Update_End end, int exit_code,
                     const QString& output);

// The SHA-256 of an image, lower-case hex.
QString Image_Sha256(const QByteArray& image);

// What the main window says of the device: the last configuration sent and
// whether the documents still build to that image.
struct Device_State {
    enum class Kind {
        Never_Sent,       // no configuration was ever sent (or no history)
        Up_To_Date,       // the documents build to the image last sent
        Changed,          // they build to another image
        Cannot_Build,     // they do not build now
        History_Unusable, // history.xml cannot be read: Problem says why
    };
    Kind Status = Kind::Never_Sent;
    QString Problem;
    std::optional<Update_Entry> Last_Sent; // the last entry that sent a configuration
};

// Compares the last configuration sent with `built` (the image the documents
// build to now; nothing when they do not build). Pure.
Device_State Device_State_Of(const Update_History& history, const std::optional<QByteArray>& built);

#include "base/save_file.h"

#include "base/kc_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qsizetype Temporary_Suffix_Size = 6; // the random part QSaveFile appends

bool Is_Ascii_Letter_Or_Digit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// A save killed between creating its temporary file and renaming it leaves
// the temporary file behind for good. Failures here are ignored: an old
// leftover that cannot be removed must not stop the new save.
void Remove_Stale_Temporaries(const QString& path) {
    const QFileInfo target(path);
    const QDir folder = target.dir();
    const QString file_name = target.fileName();
    const QStringList entries =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (Is_Save_Temporary_Of(entry, file_name))
            QFile::remove(folder.filePath(entry));
    }
}

QString Reason(const QSaveFile& file, const QString& fallback) {
    return file.error() == QFileDevice::NoError ? fallback : file.errorString();
}

[[noreturn]] void Fail(const QString& path, const QString& reason) {
    throw File_Write_Error(path, reason,
                           QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason));
}

// Throws after discarding the temporary file; the old file is untouched.
[[noreturn]] void Discard_And_Fail(QSaveFile& file, const QString& path, const QString& reason) {
    file.cancelWriting();
    file.commit(); // with the write cancelled this only removes the temporary file
    Fail(path, reason);
}

} // namespace

bool Is_Save_Temporary_Of(const QString& candidate, const QString& file_name) {
    const qsizetype prefix = file_name.size() + 1;
    if (file_name.isEmpty() || candidate.size() != prefix + Temporary_Suffix_Size)
        return false;
    if (!candidate.startsWith(file_name, Qt::CaseSensitive) || candidate[file_name.size()] != u'.')
        return false;
    // The random part mixes lower-case letters, upper-case letters and digits.
    // A suffix of one kind only ("backup", "BACKUP", "202612") is far more
    // likely a user's own copy than a leftover, so it is never removed; a
    // leftover that happens to look like that is merely left in place.
    bool lower = false;
    bool upper = false;
    bool digit = false;
    for (qsizetype i = prefix; i < candidate.size(); ++i) {
        const QChar c = candidate[i];
        if (!Is_Ascii_Letter_Or_Digit(c))
            return false;
        lower = lower || (c >= u'a' && c <= u'z');
        upper = upper || (c >= u'A' && c <= u'Z');
        digit = digit || (c >= u'0' && c <= u'9');
    }
    return int(lower) + int(upper) + int(digit) >= 2;
}

void Save_File_Atomically(const QString& path, const QByteArray& bytes) {
    Remove_Stale_Temporaries(path);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Fail(path, file.errorString());

    // QSaveFile buffers small writes: write() then reports success although
    // nothing reached the disk yet, and commit() renames the temporary file
    // even when the flush it does on closing failed. So every write, the
    // flush and the device's error are checked before the commit. A short
    // write is retried with the rest, so that the system reports why it
    // stopped.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            Discard_And_Fail(file, path,
                             Reason(file, QStringLiteral("the file system accepted no more data")));
        done += written;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        Discard_And_Fail(file, path,
                         Reason(file, QStringLiteral("the data could not be flushed to the file")));
    if (!file.commit())
        Fail(path, Reason(file, QStringLiteral("the new file could not replace the old one")));
}

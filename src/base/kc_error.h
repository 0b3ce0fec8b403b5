#pragma once

#include <QString>
#include <stdexcept>

// An error that is not the user's input: a malformed document, a file that
// cannot be written, a value the image compiler must have. It carries the
// message the user sees, which names the file. The one place that runs a step
// catches it and shows an error box; it never crosses Qt's event loop.
class Kc_Error : public std::runtime_error {
public:
    explicit Kc_Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// A file that could not be written or replaced: its path and the system's
// reason, besides the whole message.
class File_Write_Error : public Kc_Error {
public:
    File_Write_Error(const QString& path, const QString& reason, const QString& message)
        : Kc_Error(message), path_(path), reason_(reason) {}
    const QString& Path() const { return path_; }
    const QString& Reason() const { return reason_; }

private:
    QString path_;
    QString reason_;
};

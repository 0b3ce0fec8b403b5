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

#pragma once

#include "base/com_ports.h"
#include "base/dialog_services_gui.h"

#include <QDialog>
#include <QStringList>
#include <functional>

// The desktop as the pictures need it: no box, no chooser, no browser. A
// window that asks for one has met something the sample configurations
// should not hold; the request is kept and the run fails.
class Silent_Services : public Dialog_Services {
public:
    void Error_Box(const QString& message) override { Refuse(QStringLiteral("error box: ") + message); }
    void Warning_Box(const QString& message) override { Refuse(QStringLiteral("warning box: ") + message); }
    void Information_Box(const QString& message) override {
        Refuse(QStringLiteral("information box: ") + message);
    }
    bool Question_Box(const QString& message, Default_Answer) override {
        Refuse(QStringLiteral("question: ") + message);
        return false;
    }
    // The save-file chooser is answered by `Save_Chooser` when set (it may
    // take a picture of the program's chooser); otherwise it is refused.
    QString Choose_Save_File(const QString& dir, const QString& filter) override {
        if (Save_Chooser)
            return Save_Chooser(dir, filter);
        Refuse(QStringLiteral("save-file chooser in ") + dir);
        return {};
    }
    std::function<QString(const QString& dir, const QString& filter)> Save_Chooser;
    bool Open_Url(const QString& url) override {
        Refuse(QStringLiteral("browser: ") + url);
        return false;
    }
    void Link_Failure_Box(const QString& message, const QString&) override { Refuse(message); }
    int Show_Modal(QDialog& dialog) override {
        Refuse(QStringLiteral("modal dialog ") + dialog.objectName());
        return QDialog::Rejected;
    }

    const QStringList& Refused() const { return refused_; }
    // Something else the run did not get as it should.
    void Refused_Too(const QString& what) { Refuse(what); }

private:
    void Refuse(const QString& what) { refused_ << what; }
    QStringList refused_;
};

// Two serial ports, as a machine with a USB adapter has them.
class Sample_Ports : public Serial_Port_Source {
public:
    QList<Serial_Port> Ports() override {
        return {{QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0")},
                {QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0")}};
    }
};

#pragma once

#include "base/ui_services.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Ui_Services for tests. Every box, chooser and modal dialog must be expected
// first; each expectation answers one call, in order. An unexpected call fails
// the running test function and answers No / Cancel / Rejected. Every call is
// kept in Shown() so a test can assert on the texts.
class Ui_Recorder : public Ui_Services {
public:
    enum class Kind { Error, Warning, Question, Save_File, Modal };

    struct Call {
        Kind kind;
        QString text; // message, or the chooser's "dir | filter", or the dialog's objectName
    };

    ~Ui_Recorder() override;

    // An expected box. With a text, the shown message must equal it.
    void Expect_Error(std::optional<QString> text = std::nullopt);
    void Expect_Warning(std::optional<QString> text = std::nullopt);
    void Expect_Question(bool answer_yes, std::optional<QString> text = std::nullopt);
    void Expect_Save_File(const QString& chosen_path);
    // The handler plays the user inside the dialog (fill controls, press
    // buttons) and gives the dialog's result.
    void Expect_Modal(std::function<int(QDialog&)> handler);

    const QList<Call>& Shown() const { return shown_; }
    QStringList Shown_Texts(Kind kind) const;
    const QStringList& Opened_Urls() const { return urls_; }
    // True when every expectation has been answered.
    bool All_Answered() const { return expected_.isEmpty(); }
    void Clear();

    void Error_Box(const QString& message) override;
    void Warning_Box(const QString& message) override;
    bool Question_Box(const QString& message) override;
    QString Choose_Save_File(const QString& dir, const QString& filter) override;
    void Open_Url(const QString& url) override;
    int Show_Modal(QDialog& dialog) override;

private:
    struct Expectation {
        Kind kind;
        std::optional<QString> text;
        bool answer_yes = false;
        QString path;
        std::function<int(QDialog&)> handler;
    };
    // Takes the next expectation when it is of this kind; fails the test otherwise.
    std::optional<Expectation> Take(Kind kind, const QString& text);

    QList<Expectation> expected_;
    QList<Call> shown_;
    QStringList urls_;
};

#pragma once

#include "base/ui_services.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QObject;

// Ui_Services for tests. Every box and chooser must be expected first; each
// expectation answers one call, in order. An unexpected call fails the
// running test function and answers No / Cancel. Every call is kept in
// Shown() so a test can assert on the texts. Free of Qt Widgets, for tests of
// core code; Dialog_Recorder (tests/support/gui) adds modal dialogs, which
// take their turn in the same order.
class Ui_Recorder : public virtual Ui_Services {
public:
    enum class Kind { Error, Warning, Question, Save_File, Modal, Link_Failure, Open_File, Information };

    struct Call {
        Kind kind;
        // message, the chooser's "dir | filter", the link box's "message | url",
        // or the dialog's objectName
        QString text;
        std::optional<Default_Answer> default_answer = std::nullopt; // questions only
    };

    ~Ui_Recorder() override;

    // An expected box. With a text, the shown message must equal it.
    void Expect_Error(std::optional<QString> text = std::nullopt);
    void Expect_Warning(std::optional<QString> text = std::nullopt);
    void Expect_Information(std::optional<QString> text = std::nullopt);
    // With a default, the question must have been asked with that default
    // answer (the button Enter presses).
    void Expect_Question(bool answer_yes, std::optional<QString> text = std::nullopt,
                         std::optional<Default_Answer> default_answer = std::nullopt);
    void Expect_Save_File(const QString& chosen_path);
    // An expected open-file chooser answering `chosen_path` (empty: cancelled).
    void Expect_Open_File(const QString& chosen_path);
    // A link box; with a text, "message | url" must equal it.
    void Expect_Link_Failure(std::optional<QString> text = std::nullopt);
    // Whether Open_Url reports the browser started (true until set).
    void Set_Urls_Open(bool open) { urls_open_ = open; }

    const QList<Call>& Shown() const { return shown_; }
    QStringList Shown_Texts(Kind kind) const;
    const QStringList& Opened_Urls() const { return urls_; }
    // True when every expectation has been answered.
    bool All_Answered() const { return expected_.isEmpty(); }
    void Clear();

    void Error_Box(const QString& message) override;
    void Warning_Box(const QString& message) override;
    void Information_Box(const QString& message) override;
    bool Question_Box(const QString& message, Default_Answer default_answer) override;
    QString Choose_Save_File(const QString& dir, const QString& filter) override;
    QString Choose_Open_File(const QString& dir, const QString& filter) override;
    bool Open_Url(const QString& url) override;
    void Link_Failure_Box(const QString& message, const QString& url) override;

protected:
    struct Expectation {
        Kind kind;
        std::optional<QString> text;
        bool answer_yes = false;
        std::optional<Default_Answer> default_answer;
        QString path;
        // A modal dialog's handler; it gets the dialog.
        std::function<int(QObject&)> handler;
    };
    void Expect(Expectation expectation);
    // Takes the next expectation when it is of this kind; fails the test otherwise.
    std::optional<Expectation> Take(Kind kind, const QString& text);

private:
    QList<Expectation> expected_;
    QList<Call> shown_;
    QStringList urls_;
    bool urls_open_ = true;
};

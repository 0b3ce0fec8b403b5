#include "ui_recorder.h"

#include <QTest>

namespace {

const char* Kind_Name(Ui_Recorder::Kind kind) {
    switch (kind) {
    case Ui_Recorder::Kind::Error:
        return "error box";
    case Ui_Recorder::Kind::Warning:
        return "warning box";
    case Ui_Recorder::Kind::Information:
        return "information box";
    case Ui_Recorder::Kind::Question:
        return "question box";
    case Ui_Recorder::Kind::Save_File:
        return "save-file chooser";
    case Ui_Recorder::Kind::Modal:
        return "modal dialog";
    case Ui_Recorder::Kind::Link_Failure:
        return "link failure box";
    case Ui_Recorder::Kind::Open_File:
        return "open-file chooser";
    }
    return "?";
}

QString Answer_Name(Ui_Services::Default_Answer answer) {
    return answer == Ui_Services::Default_Answer::Yes ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

Ui_Recorder::~Ui_Recorder() = default;

void Ui_Recorder::Expect_Error(std::optional<QString> text) {
    Expect({.kind = Kind::Error, .text = std::move(text)});
}

void Ui_Recorder::Expect_Warning(std::optional<QString> text) {
    Expect({.kind = Kind::Warning, .text = std::move(text)});
}

void Ui_Recorder::Expect_Information(std::optional<QString> text) {
    Expect({.kind = Kind::Information, .text = std::move(text)});
}

void Ui_Recorder::Expect_Question(bool answer_yes, std::optional<QString> text,
                                  std::optional<Default_Answer> default_answer) {
    Expect({.kind = Kind::Question,
            .text = std::move(text),
            .answer_yes = answer_yes,
            .default_answer = default_answer});
}

void Ui_Recorder::Expect_Save_File(const QString& chosen_path) {
    Expect({.kind = Kind::Save_File, .path = chosen_path});
}

void Ui_Recorder::Expect_Open_File(const QString& chosen_path) {
    Expect({.kind = Kind::Open_File, .path = chosen_path});
}

void Ui_Recorder::Expect_Link_Failure(std::optional<QString> text) {
    Expect({.kind = Kind::Link_Failure, .text = std::move(text)});
}

void Ui_Recorder::Expect(Expectation expectation) {
    expected_.append(std::move(expectation));
}

QStringList Ui_Recorder::Shown_Texts(Kind kind) const {
    QStringList result;
    for (const Call& call : shown_)
        if (call.kind == kind)
            result.append(call.text);
    return result;
}

void Ui_Recorder::Clear() {
    expected_.clear();
    shown_.clear();
    urls_.clear();
}

std::optional<Ui_Recorder::Expectation> Ui_Recorder::Take(Kind kind, const QString& text) {
    shown_.append({kind, text});
    if (expected_.isEmpty() || expected_.first().kind != kind) {
        const QString what =
            QStringLiteral("unexpected %1: \"%2\"%3")
                .arg(QLatin1String(Kind_Name(kind)), text,
                     expected_.isEmpty() ? QString()
                                         : QStringLiteral(" (expected a %1)")
                                               .arg(QLatin1String(Kind_Name(expected_.first().kind))));
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
        return std::nullopt;
    }
    Expectation expectation = expected_.takeFirst();
    if (expectation.text && *expectation.text != text) {
        const QString what = QStringLiteral("%1 shows \"%2\", expected \"%3\"")
                                 .arg(QLatin1String(Kind_Name(kind)), text, *expectation.text);
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    }
    return expectation;
}

void Ui_Recorder::Error_Box(const QString& message) {
    Take(Kind::Error, message);
}

void Ui_Recorder::Warning_Box(const QString& message) {
    Take(Kind::Warning, message);
}

void Ui_Recorder::Information_Box(const QString& message) {
    Take(Kind::Information, message);
}

bool Ui_Recorder::Question_Box(const QString& message, Default_Answer default_answer) {
    const auto expectation = Take(Kind::Question, message);
    shown_.last().default_answer = default_answer;
    if (expectation && expectation->default_answer && *expectation->default_answer != default_answer) {
        const QString what =
            QStringLiteral("question \"%1\" defaults to %2, expected %3")
                .arg(message, Answer_Name(default_answer), Answer_Name(*expectation->default_answer));
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    }
    return expectation && expectation->answer_yes;
}

QString Ui_Recorder::Choose_Save_File(const QString& dir, const QString& filter) {
    const auto expectation = Take(Kind::Save_File, dir + QStringLiteral(" | ") + filter);
    return expectation ? expectation->path : QString();
}

QString Ui_Recorder::Choose_Open_File(const QString& dir, const QString& filter) {
    const auto expectation = Take(Kind::Open_File, dir + QStringLiteral(" | ") + filter);
    return expectation ? expectation->path : QString();
}

bool Ui_Recorder::Open_Url(const QString& url) {
    urls_.append(url);
    return urls_open_;
}

void Ui_Recorder::Link_Failure_Box(const QString& message, const QString& url) {
    Take(Kind::Link_Failure, message + QStringLiteral(" | ") + url);
}

#include "ui_recorder.h"

#include <QTest>

namespace {

const char* Kind_Name(Ui_Recorder::Kind kind) {
    switch (kind) {
    case Ui_Recorder::Kind::Error:
        return "error box";
    case Ui_Recorder::Kind::Warning:
        return "warning box";
    case Ui_Recorder::Kind::Question:
        return "question box";
    case Ui_Recorder::Kind::Save_File:
        return "save-file chooser";
    case Ui_Recorder::Kind::Modal:
        return "modal dialog";
    }
    return "?";
}

} // namespace

Ui_Recorder::~Ui_Recorder() = default;

void Ui_Recorder::Expect_Error(std::optional<QString> text) {
    expected_.append({Kind::Error, std::move(text), false, {}, {}});
}

void Ui_Recorder::Expect_Warning(std::optional<QString> text) {
    expected_.append({Kind::Warning, std::move(text), false, {}, {}});
}

void Ui_Recorder::Expect_Question(bool answer_yes, std::optional<QString> text) {
    expected_.append({Kind::Question, std::move(text), answer_yes, {}, {}});
}

void Ui_Recorder::Expect_Save_File(const QString& chosen_path) {
    expected_.append({Kind::Save_File, std::nullopt, false, chosen_path, {}});
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
        const QString what = QStringLiteral("unexpected %1: \"%2\"%3")
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

bool Ui_Recorder::Question_Box(const QString& message) {
    const auto expectation = Take(Kind::Question, message);
    return expectation && expectation->answer_yes;
}

QString Ui_Recorder::Choose_Save_File(const QString& dir, const QString& filter) {
    const auto expectation = Take(Kind::Save_File, dir + QStringLiteral(" | ") + filter);
    return expectation ? expectation->path : QString();
}

void Ui_Recorder::Open_Url(const QString& url) {
    urls_.append(url);
}

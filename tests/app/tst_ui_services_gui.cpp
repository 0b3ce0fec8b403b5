#include "app/ui_services_gui.h"
#include "base/text_table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real question box: the default answer is the button Enter presses;
// Escape answers No. The box is answered by keys sent from inside its own
// event loop, as a user at the keyboard would.
class Tst_Ui_Services_Gui : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void question_keys_data();
    void question_keys();
};

Q_DECLARE_METATYPE(Ui_Services::Default_Answer)

void Tst_Ui_Services_Gui::question_keys_data() {
    QTest::addColumn<Ui_Services::Default_Answer>("default_answer");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("answer_yes");
    using Answer = Ui_Services::Default_Answer;
    QTest::newRow("default No, Enter") << Answer::No << int(Qt::Key_Return) << false;
    QTest::newRow("default No, keypad Enter") << Answer::No << int(Qt::Key_Enter) << false;
    QTest::newRow("default No, Escape") << Answer::No << int(Qt::Key_Escape) << false;
    QTest::newRow("default Yes, Enter") << Answer::Yes << int(Qt::Key_Return) << true;
    QTest::newRow("default Yes, Escape") << Answer::Yes << int(Qt::Key_Escape) << false;
}

void Tst_Ui_Services_Gui::question_keys() {
    QFETCH(Ui_Services::Default_Answer, default_answer);
    QFETCH(int, key);
    QFETCH(bool, answer_yes);

    QMessageBox::StandardButton shown_default = QMessageBox::NoButton;
    QMessageBox::Icon shown_icon = QMessageBox::NoIcon;
    bool key_sent = false;
    bool stuck = false;
    QElapsedTimer since_key;
    QTimer answer;
    answer.setInterval(10);
    connect(&answer, &QTimer::timeout, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible())
                continue;
            if (!key_sent) {
                shown_default = box->standardButton(box->defaultButton());
                shown_icon = box->icon();
                QWidget* target = box->focusWidget() ? box->focusWidget() : box;
                key_sent = true;
                since_key.start();
                QTest::keyClick(target, Qt::Key(key),
                                key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            } else if (since_key.elapsed() > 2000) {
                // The key did not close the box: close it so the test ends.
                stuck = true;
                box->done(QMessageBox::Cancel);
            }
            return;
        }
    });
    answer.start();

    Text_Table texts;
    texts.Set_Default_Texts();
    Ui_Services_Gui ui(texts, QStringLiteral("KC40927"));
    const bool result = ui.Question_Box(QStringLiteral("Rows will be lost. Save anyway?"), default_answer);
    answer.stop();

    QVERIFY(key_sent);
    QVERIFY2(!stuck, "the key did not answer the question");
    QCOMPARE(shown_icon, QMessageBox::Question);
    QCOMPARE(shown_default,
             default_answer == Ui_Services::Default_Answer::No ? QMessageBox::No : QMessageBox::Yes);
    QCOMPARE(result, answer_yes);
}

QTEST_MAIN(Tst_Ui_Services_Gui)
#include "tst_ui_services_gui.moc"

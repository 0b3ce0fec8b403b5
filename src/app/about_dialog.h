#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct App_State;
class Text_Table;
class Ui_Services;

// The about box: product, software code, version, manual code and the link to
// the maker's home page. Its texts are fixed English; a language change does
// not touch it. Only the box of a link that cannot be opened comes from the
// text table.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    TFAbout(const App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);

public Q_SLOTS:
    // Fills the value labels.
    void FormShow();
    // Opens the maker's home page (Label4 and Image2).
    void Label4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const App_State& state;
    const Text_Table& texts;
    Ui_Services& ui;
    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label12 = nullptr;
    QPushButton* LbButton1 = nullptr;
};

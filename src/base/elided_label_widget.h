#pragma once

#include <QLabel>

// A one-line plain-text label for texts of any length (names typed by the
// user, texts from language files). When the text is wider than the label, it
// is drawn cut with "…" at the end and its tooltip shows the whole text.
// text() always gives the whole text. The label asks its layout for the whole
// width but accepts any narrower one.
class Elided_Label : public QLabel {
    Q_OBJECT
public:
    explicit Elided_Label(QWidget* parent = nullptr);

    // The text as drawn: the whole text, or its elided form.
    QString Shown_Text() const;
    bool Is_Elided() const;

    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int Text_Width() const;
};

#pragma once

#include <QList>
#include <QString>

// The numbered texts of every caption, hint and message. "Text n" is entry n.
// Windows fetch a text each time they show it, so a language change takes
// effect at the next Set_Lang or message.
class Text_Table {
public:
    static constexpr int Text_Count = 1000;

    Text_Table() { Set_Default_Texts(); }

    // Empties the table and fills it with the 1000 English defaults.
    void Set_Default_Texts();

    // Entry n; an index outside 0..999 gives the empty text.
    QString operator[](int index) const { return Text(index); }
    QString Text(int index) const { return index >= 0 && index < texts_.size() ? texts_[index] : QString(); }
    void Set_Text(int index, const QString& text) {
        if (index >= 0 && index < texts_.size())
            texts_[index] = text;
    }
    int Count() const { return static_cast<int>(texts_.size()); }

private:
    QList<QString> texts_;
};

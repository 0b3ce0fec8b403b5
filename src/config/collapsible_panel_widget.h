#pragma once

#include <QWidget>

class QToolButton;
class QVBoxLayout;

// A panel with a caption bar that folds its content away and back. The
// content is laid out vertically; rows hidden in it take no room, so the
// panel's height always follows its last visible row.
class Collapsible_Panel : public QWidget {
    Q_OBJECT
public:
    explicit Collapsible_Panel(QWidget* parent = nullptr);

    void Set_Caption(const QString& caption);
    QString Caption() const;

    QWidget* Content() const { return content_; }
    QVBoxLayout* Content_Layout() const { return content_layout_; }

    bool Collapsed() const;
    void Set_Collapsed(bool collapsed);

private:
    QToolButton* header_ = nullptr;
    QWidget* content_ = nullptr;
    QVBoxLayout* content_layout_ = nullptr;
};

#include "config/collapsible_panel_widget.h"

#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

Collapsible_Panel::Collapsible_Panel(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    header_ = new QToolButton(this);
    header_->setObjectName(QStringLiteral("Panel_Header"));
    header_->setCheckable(true);
    header_->setChecked(true);
    header_->setArrowType(Qt::DownArrow);
    header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header_->setAutoRaise(false);
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    outer->addWidget(header_);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    content_ = frame;
    content_layout_ = new QVBoxLayout(content_);
    content_layout_->setContentsMargins(6, 4, 6, 4);
    content_layout_->setSpacing(2);
    outer->addWidget(content_);

    connect(header_, &QToolButton::toggled, this, [this](bool open) { Set_Collapsed(!open); });
}

void Collapsible_Panel::Set_Caption(const QString& caption) {
    header_->setText(caption);
}

QString Collapsible_Panel::Caption() const {
    return header_->text();
}

bool Collapsible_Panel::Collapsed() const {
    return content_->isHidden();
}

void Collapsible_Panel::Set_Collapsed(bool collapsed) {
    header_->setChecked(!collapsed);
    header_->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
    content_->setVisible(!collapsed);
}

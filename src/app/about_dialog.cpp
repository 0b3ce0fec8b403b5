#include "app/about_dialog.h"

#include "base/app_state.h"
#include "base/product_info.h"
#include "base/ui_services.h"
#include "text/open_link.h"

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

QLabel* New_Label(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The maker's logo: a plain mark drawn here, as no picture ships with the program.
QPixmap Maker_Logo() {
    QPixmap pixmap(81, 81);
    pixmap.fill(QColor(0x1f, 0x4e, 0x8c));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(48);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("V"));
    return pixmap;
}

} // namespace

TFAbout::TFAbout(const App_State& app_state, const Text_Table& text_table, Ui_Services& ui_services,
                 QWidget* parent)
    : QDialog(parent), state(app_state), texts(text_table), ui(ui_services) {
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About..."));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Image2 = New_Label(this, "Image2");
    Image2->setFixedSize(81, 81);
    Image2->setScaledContents(true);
    Image2->setCursor(Qt::PointingHandCursor);
    Label1 = New_Label(this, "Label1", QStringLiteral("Software Struttor "));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    Label1->setFont(heading);
    Label2 = New_Label(this, "Label2");
    Label6 = New_Label(this, "Label6", QStringLiteral("Software Code : "));
    Label9 = New_Label(this, "Label9");
    Label3 = New_Label(this, "Label3", QStringLiteral("Version :"));
    Label10 = New_Label(this, "Label10");
    Label8 = New_Label(this, "Label8", QStringLiteral("Document Code :"));
    Label12 = New_Label(this, "Label12");
    Label4 = New_Label(this, "Label4", Maker_Host());
    Label4->setCursor(Qt::PointingHandCursor);
    QPalette link_palette = Label4->palette();
    link_palette.setColor(QPalette::WindowText, link_palette.color(QPalette::Link));
    Label4->setPalette(link_palette);
    LbButton1 = new QPushButton(QStringLiteral("OK"), this);
    LbButton1->setObjectName(QStringLiteral("LbButton1"));
    LbButton1->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Image2, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 1, 1, 2);
    grid->addWidget(Label6, 2, 1);
    grid->addWidget(Label9, 2, 2);
    grid->addWidget(Label3, 3, 1);
    grid->addWidget(Label10, 3, 2);
    grid->addWidget(Label8, 4, 1);
    grid->addWidget(Label12, 4, 2);
    grid->addWidget(LbButton1, 4, 0);
    grid->addWidget(Label4, 5, 1, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    connect(LbButton1, &QPushButton::clicked, this, &QDialog::accept);
    Image2->installEventFilter(this);
    Label4->installEventFilter(this);
    // The texts, the logo and the size come with the first showing.
}

void TFAbout::FormShow() {
    if (Image2->pixmap().isNull())
        Image2->setPixmap(Maker_Logo());
    Label2->setText(state.Soft_Desc);
    Label9->setText(QStringLiteral("KC40927"));
    Label10->setText(Program_Version);
    Label12->setText(Document_Code);
    setFixedSize(sizeHint());
}

void TFAbout::Label4Click() {
    Open_Link(ui, texts, Maker_Home_Url());
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == Label4 || watched == Image2) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

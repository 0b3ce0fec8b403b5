// The baseline of the start-up benchmark: a bare 600x500 QMainWindow program,
// started, shown and ended the same way as the configurator.
//
// Built twice more, for comparisons with bench_startup --product/--baseline:
// - bench_bare_window_libs (KC_BARE_WITH_LIBS): the same window, and the
//   program also loads the Qt libraries the configurator links besides Qt
//   Widgets (Xml, Network, SerialPort, SerialBus and what they pull in), each
//   held by one reference that runs next to nothing. Against the bare window
//   it shows what loading those libraries costs at start.
// - bench_bare_window_content (KC_BARE_WITH_CONTENT): the window shows the
//   kinds of things the configurator's first screen shows, with plain Qt
//   Widgets and nothing else: a large bold title, plain and bold labels,
//   eight step labels, eight push buttons with texts, a framed box and three
//   tool buttons with the style's standard icons. Against the bare window it
//   shows what fonts, text and icons cost by themselves.
#include "app/first_paint_exit_gui.h"

#include <QApplication>
#include <QMainWindow>

#ifdef KC_BARE_WITH_LIBS
#include <QDomDocument>
#include <QModbusDevice>
#include <QSerialPort>
#include <QTcpSocket>
#endif
#ifdef KC_BARE_WITH_CONTENT
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#endif

namespace {

#ifdef KC_BARE_WITH_CONTENT
QLabel* Label(QWidget* parent, const QString& text, const QRect& place, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->setGeometry(place);
    return label;
}

void Add_Content(QMainWindow& window) {
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    QLabel* title = Label(central, QStringLiteral("KC40927"), QRect(16, 8, 320, 40), true);
    QFont title_font = title->font();
    title_font.setPointSizeF(title_font.pointSizeF() * 2.2);
    title->setFont(title_font);
    Label(central, QStringLiteral("PROFIBUS Slave / Modbus Master - Converter"), QRect(16, 50, 420, 20));
    Label(central, QStringLiteral("Start here"), QRect(16, 104, 300, 20), true);
    auto* box = new QFrame(central);
    box->setFrameShape(QFrame::Box);
    box->setGeometry(16, 126, 568, 58);
    Label(box, QStringLiteral("Configuration"), QRect(8, 6, 420, 20));
    Label(box, QStringLiteral("Plant"), QRect(8, 30, 420, 20), true);
    (new QPushButton(QStringLiteral("Report"), box))->setGeometry(440, 14, 120, 30);
    int left = 600 - 16 - 3 * 40 - 2 * 6;
    for (QStyle::StandardPixmap image : {QStyle::SP_MessageBoxInformation, QStyle::SP_FileDialogDetailedView,
                                         QStyle::SP_DialogCloseButton}) {
        auto* button = new QToolButton(central);
        button->setIcon(button->style()->standardIcon(image));
        button->setIconSize(QSize(28, 28));
        button->setAutoRaise(true);
        button->setGeometry(left, 12, 40, 40);
        left += 46;
    }
    for (int row = 0; row < 6; ++row) {
        const int top = 200 + row * 48;
        Label(central, QStringLiteral("Step %1").arg(row + 1), QRect(16, top + 8, 86, 20));
        (new QPushButton(QStringLiteral("Button of step %1").arg(row + 1), central))
            ->setGeometry(112, top, 320, 36);
    }
    (new QPushButton(QStringLiteral("Second button of step 1"), central))->setGeometry(280, 200, 152, 36);
}
#endif

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef KC_BARE_WITH_LIBS
    // One symbol of each library, so the linker keeps all of them; the
    // loader maps them and runs their initialisers, as in the configurator.
    // An empty QDomDocument allocates nothing.
    const void* volatile held[] = {&QTcpSocket::staticMetaObject, &QSerialPort::staticMetaObject,
                                   &QModbusDevice::staticMetaObject};
    (void)held;
    const QDomDocument empty;
    (void)empty;
#endif
    QMainWindow window;
    window.setFixedSize(600, 500);
#ifdef KC_BARE_WITH_CONTENT
    Add_Content(window);
#endif
    Exit_After_First_Paint_If_Asked(window);
    window.show();
    return app.exec();
}

#include "table/MessageWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <algorithm>

#include "table/CardsButton.h"
#include "table/Fonts.h"

namespace tarvo {

namespace {
constexpr int LabelLeft = 59;
constexpr int ClientHeight = 90;
constexpr int TextHeight = 20;
const QString MessageFamily = QStringLiteral("Comic Sans MS");
} // namespace

int MessageClientWidth(int widestTextWidth) {
    const int w = widestTextWidth + LabelLeft;
    return w >= 350 ? w + 50 : 400;
}

TFormLink::TFormLink(const QString& line1, const QString& line2, const QString& line3,
                     const MessageWindowTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      font_(FontOfHeight(InstalledFamily(MessageFamily), TextHeight, true, texts.language)) {
    setWindowTitle(texts.caption);

    Image1 = new QLabel(this);
    Image1->setGeometry(5, 5, 48, 48);

    const QString lines[3] = {line1, line2, line3};
    QLabel** labels[3] = {&Label1, &Label2, &Label3};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(lines[i], this);
        label->setFont(font_);
        label->setTextFormat(Qt::PlainText); // messages may carry server text: never markup
        label->move(LabelLeft, 5 + 16 * i);
        *labels[i] = label;
    }
    QFont linkFont = font_;
    linkFont.setUnderline(true);
    Label3->setFont(linkFont);
    QPalette linkPalette = Label3->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    Label3->setPalette(linkPalette);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->installEventFilter(this);

    Button1 = new TQobCardsButton(texts.ok, this);
    Button1->setFont(font_);
    Button1->SetColorSB(TQobCardsButton::Scheme::DRed);
    Button1->SetTextColour(Qt::white);
    Button1->SetColorMouse(Qt::yellow);
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    Arrange();
    Button1->setFocus();
}

int TFormLink::TextWidth(const QString& text) const {
    return QFontMetrics(font_).horizontalAdvance(text);
}

void TFormLink::Arrange() {
    int widest = 0;
    for (QLabel* label : {Label1, Label2, Label3}) {
        widest = std::max(widest, TextWidth(label->text()));
        label->adjustSize();
        label->setVisible(!label->text().isEmpty());
    }
    const int width = MessageClientWidth(widest);
    Button1->setGeometry(5, 58, width - 10, 27);
    setFixedSize(width, ClientHeight);
}

QUrl LinkUrl(const QString& text) {
    const QString target = text.trimmed();
    if (target.isEmpty()) return {};
    const QFileInfo file(target);
    return file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath()) : QUrl::fromUserInput(target);
}

bool TFormLink::OpenLink() const {
    if (!Label3->isVisible() && Label3->text().trimmed().isEmpty()) return false;
    const QUrl url = LinkUrl(Label3->text());
    return url.isValid() && QDesktopServices::openUrl(url);
}

void TFormLink::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        accept(); // the same as "Ok"
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFormLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OpenLink();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowMessageLines(const QString& line1, const QString& line2, const QString& line3,
                      const MessageWindowTexts& texts, QWidget* parent) {
    if (!parent) parent = QApplication::activeWindow();
    auto* form = new TFormLink(line1, line2, line3, texts, parent);
    // A closed window frees itself; exec() returns only after that.
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
}

} // namespace tarvo

// The one message window of the program: up to three lines and an "Ok" button; the third line
// can be a link that opens in the system's browser or file viewer.
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <QUrl>

class QLabel;

namespace tarvo {

class TQobCardsButton;

// The message window's client width for the widest of its texts: the labels start at 59; a
// window narrower than 400 is never made, and a wider one keeps 50 pixels to the right.
int MessageClientWidth(int widestTextWidth);

// What the link label opens for its text: an existing file as a file, anything else as an
// address ("www.example.org" becomes an http address); invalid for an empty text.
QUrl LinkUrl(const QString& text);

// The texts of the window itself, from the language tables of the caller.
struct MessageWindowTexts {
    QString caption = QStringLiteral("Attention");
    QString ok = QStringLiteral("Ok");
    int language = 0; // 0..9: Chinese, Japanese and Korean get their own glyph shapes
};

class TFormLink : public QDialog {
  public:
    TFormLink(const QString& line1, const QString& line2, const QString& line3,
              const MessageWindowTexts& texts = {}, QWidget* parent = nullptr);

    // The width of a text in the labels' font.
    int TextWidth(const QString& text) const;
    // The link: the third label's text handed to the system's "open" (an address opens in the
    // browser, a file in its program). False when there is nothing to open.
    bool OpenLink() const;

    QLabel* Image1 = nullptr; // left empty
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr; // the link
    TQobCardsButton* Button1 = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Arrange();
    QFont font_;
};

// Shows the message window modally and returns when it is closed; empty lines are hidden.
void ShowMessageLines(const QString& line1, const QString& line2 = QString(),
                      const QString& line3 = QString(), const MessageWindowTexts& texts = {},
                      QWidget* parent = nullptr);

} // namespace tarvo

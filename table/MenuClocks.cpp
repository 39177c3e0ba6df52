#include "table/MenuClocks.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "table/Fonts.h"

namespace tarvo {

namespace {

void PreparePainter(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// The brightest opaque colour of a digit picture: the ink its set is drawn in.
QColor InkOf(const QImage& digit) {
    QColor best(Qt::white);
    int bestSum = -1;
    const QImage argb = digit.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) < 200) continue;
            const int sum = qRed(row[x]) + qGreen(row[x]) + qBlue(row[x]);
            if (sum > bestSum) bestSum = sum, best = QColor::fromRgb(row[x]);
        }
    }
    return best;
}

// A unit letter is written in the set's ink, in a cell of the width given and the digits' height.
void DrawLetter(QPainter& p, const QString& set, QChar c, int x, int y, int width) {
    const QImage zero = BuiltinPicture(set + QLatin1Char('0'));
    const QSize cell(width, zero.isNull() ? 34 : zero.height());
    const QString letter(c);
    p.save();
    p.setFont(FontOfHeight(QStringLiteral("DejaVu Sans"), cell.height(), true));
    QFont font = p.font();
    // Narrow the letter to the digit cell, as the picture digits are drawn.
    const int advance = QFontMetrics(font).horizontalAdvance(letter);
    if (advance > cell.width()) font.setStretch(std::max(50, 100 * cell.width() / advance));
    p.setFont(font);
    p.setPen(InkOf(zero));
    p.drawText(QRect(x, y, cell.width(), cell.height()), Qt::AlignCenter, letter);
    p.restore();
}

QString Shortened(double value) {
    const double v = std::floor(std::fabs(value));
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (v <= 999) return sign + QString::number(static_cast<qint64>(v));
    if (v < 1e6) return sign + QString::number(static_cast<qint64>(v / 1e3)) + QLatin1Char('K');
    if (v < 1e9) return sign + QString::number(static_cast<qint64>(v / 1e6)) + QLatin1Char('M');
    return sign + QString::number(static_cast<qint64>(std::min(v / 1e9, 99999.0))) + QLatin1Char('G');
}

} // namespace

bool MenuClocksShown(const Scale& scale) {
    return scale.S >= 1.6;
}

std::vector<Glyph> MenuClockGlyphs(const QTime& time) {
    const QString hhnn = time.toString(QStringLiteral("hhmm"));
    const auto digit = [&](int i) { return QStringLiteral("GBClock") + hhnn.at(i); };
    std::vector<Glyph> glyphs;
    if (hhnn.at(0) != QLatin1Char('0')) glyphs.push_back({digit(0), 14, 15});
    glyphs.push_back({digit(1), 34, 15});
    // Redrawn every few milliseconds by the main timer, the colon blinks once a second.
    if (time.msec() > 500) glyphs.push_back({QStringLiteral("GBClockP"), 55, 24});
    glyphs.push_back({digit(2), 61, 15});
    glyphs.push_back({digit(3), 81, 15});
    return glyphs;
}

QImage DrawMenuClock(const DecorContext& ctx, const Rect& part, const QTime& time) {
    if (!MenuClocksShown(ctx.scale)) return {};
    QImage image = ClearedPart(ctx, part);
    QPainter p(&image);
    PreparePainter(p);
    const QImage back = BuiltinPicture(QStringLiteral("GClockBG"));
    if (!back.isNull()) p.drawImage(0, 0, back);
    for (const Glyph& g : MenuClockGlyphs(time)) {
        const QImage digit = BuiltinPicture(g.picture);
        if (!digit.isNull()) p.drawImage(g.x, g.y, digit);
    }
    return image;
}

int InfoModeForMinute(int minute) {
    const int mode = ((minute % 7) + 7) % 7 + 1;
    return mode == 6 ? 7 : mode;
}

QString InfoDigitSet(int mode) {
    switch (mode) {
    case 1:
        return QStringLiteral("GRClock");
    case 2:
        return QStringLiteral("GAClock");
    case 3:
        return QStringLiteral("GGClock");
    case 4:
        return QStringLiteral("GYClock");
    case 5:
        return QStringLiteral("GVClock");
    default:
        return QStringLiteral("GNClock");
    }
}

double InfoPercentage(double l, double m) {
    return l + m > 0 ? m * 100 / (l + m) : 0;
}

QString InfoFigureText(int mode, double value) {
    if (!std::isfinite(value)) return QStringLiteral("00");
    if (mode == 2) return Shortened(value);
    QString text;
    const double whole = std::trunc(value);
    if (value == whole && std::fabs(value) < 1e15)
        text = QString::number(static_cast<qint64>(whole));
    else
        text = QString::number(value, 'f', 1);
    // Only six places fit the display.
    if (text.size() > 6 && text.contains(QLatin1Char('.')))
        text = QString::number(static_cast<qint64>(whole));
    if (text.size() > 6) text = Shortened(value);
    return text;
}

std::vector<Glyph> InfoGlyphs(int mode, const QString& figure) {
    static const std::array<std::vector<int>, 7> places{
        {{}, {50}, {38, 58}, {29, 49, 69}, {27, 42, 57, 72}, {28, 40, 52, 64, 76}, {15, 24, 33, 42, 51, 60}}};
    const QString set = InfoDigitSet(mode);
    const QString shown = figure.left(6);
    const std::vector<int>& xs = places[static_cast<std::size_t>(shown.size())];
    std::vector<Glyph> glyphs;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown.at(i);
        const int x = xs[static_cast<std::size_t>(i)];
        if (c.isLetter()) {
            glyphs.push_back({QString(), x, 15, c});
            continue;
        }
        const QString suffix = c == QLatin1Char('-')   ? QStringLiteral("M")
                               : c == QLatin1Char('.') ? QStringLiteral("P")
                                                       : QString(c);
        glyphs.push_back({set + suffix, x, 15});
    }
    return glyphs;
}

InfoDisplay DrawInfoDisplay(const DecorContext& ctx, const Rect& part, int mode,
                            const std::optional<InfoReply>& reply, const InfoTexts& texts) {
    if (mode < 1 || mode > 7 || mode == 6) mode = 7;
    InfoDisplay out;
    const QString hint = texts.hints[static_cast<std::size_t>(mode)];
    const bool playerMode = mode >= 3 && mode <= 5;
    out.figure = QStringLiteral("00");
    if (!reply) {
        out.hint = hint + (mode <= 2    ? QStringLiteral(": NO CONNECT")
                           : playerMode ? QStringLiteral("NO CONNECT")
                                        : QStringLiteral(" NO CONNECT"));
    } else if (playerMode && (reply->player.isEmpty() || reply->player == QLatin1String("#"))) {
        out.hint = hint + texts.no;
    } else {
        out.figure = InfoFigureText(mode, reply->value);
        if (playerMode)
            out.hint = hint + reply->player;
        else if (mode == 7)
            out.hint = hint + out.figure;
        else
            out.hint = hint;
    }
    if (!MenuClocksShown(ctx.scale)) return out;

    out.picture = ClearedPart(ctx, part);
    QPainter p(&out.picture);
    PreparePainter(p);
    const QImage back = BuiltinPicture(QStringLiteral("GClockBG"));
    if (!back.isNull()) p.drawImage(0, 0, back);
    const QString icon = mode <= 3   ? QStringLiteral("Windows")
                         : mode == 4 ? QStringLiteral("Android")
                                     : QStringLiteral("Account48");
    const QImage iconPicture = BuiltinPicture(icon);
    if (!iconPicture.isNull()) {
        // The icon is a faint mark behind the figure, which stays readable over it.
        p.save();
        p.setOpacity(0.35);
        p.drawImage(10, 10, iconPicture);
        p.restore();
    }
    const QString set = InfoDigitSet(mode);
    const std::vector<Glyph> glyphs = InfoGlyphs(mode, out.figure);
    // Five or six characters stand closer than a digit is wide: each is narrowed to its step, and
    // the unlit segments of one digit must not cover the lit ones of its neighbour.
    const int step = glyphs.size() > 1 ? glyphs[1].x - glyphs[0].x : 115;
    p.setCompositionMode(QPainter::CompositionMode_Lighten);
    for (const Glyph& g : glyphs) {
        const QImage digit = g.picture.isEmpty() ? QImage() : BuiltinPicture(g.picture);
        if (!g.letter.isNull() || digit.isNull()) {
            // A digit picture that is missing is written like a letter.
            const QChar last = g.picture.isEmpty() ? QChar() : g.picture.back();
            const QChar c = !g.letter.isNull()         ? g.letter
                            : last == QLatin1Char('M') ? QLatin1Char('-')
                            : last == QLatin1Char('P') ? QLatin1Char('.')
                                                       : last;
            DrawLetter(p, set, c, g.x, g.y, std::min(16, step - 1));
            continue;
        }
        const int width = std::min(digit.width(), step - 1);
        p.drawImage(QRect(g.x, g.y, width, digit.height()), digit);
    }
    return out;
}

NewsChatView ShowNewsChatIndicators(const Scale& scale, const Rect& shelf, const Rect& exit, bool newsWaiting,
                                    bool chatWaiting) {
    NewsChatView view;
    if (!MenuClocksShown(scale)) {
        // The bottom of the window holds only the Exit button, in its middle: the sirens stand
        // level with it on either side, where they cover nothing.
        const int top = exit.top + (exit.height - 33) / 2;
        view.newsSiren = {exit.left - 10 - 30, top, 30, 33};
        view.chatSiren = {exit.Right() + 10, top, 30, 33};
        view.newsShown = view.newsAnimates = newsWaiting;
        view.chatShown = view.chatAnimates = chatWaiting;
        return view;
    }
    view.shelfShown = true;
    view.shelf = shelf;
    view.newsSiren = {shelf.left + 50, shelf.top + 55, 30, 33};
    view.chatSiren = {shelf.left + 140, shelf.top + 55, 30, 33};
    view.newsShown = view.chatShown = true;
    view.newsAnimates = newsWaiting;
    view.chatAnimates = chatWaiting;
    return view;
}

QImage DrawNewsShelf(const DecorContext& ctx, const Rect& shelf) {
    QImage image = ClearedPart(ctx, shelf);
    QPainter p(&image);
    PreparePainter(p);
    // The icons stand on the board at the bottom, each above its siren.
    const QImage board = BuiltinPicture(QStringLiteral("GPolkaNw"));
    const int boardTop = board.isNull() ? shelf.height : shelf.height - board.height();
    const QImage news = BuiltinPicture(QStringLiteral("GNews072"));
    const QImage chat = BuiltinPicture(QStringLiteral("GChat072"));
    if (!news.isNull()) p.drawImage(65 - news.width() / 2, boardTop + 8 - news.height(), news);
    if (!chat.isNull()) p.drawImage(155 - chat.width() / 2, boardTop + 8 - chat.height(), chat);
    if (!board.isNull()) p.drawImage(0, boardTop, board);
    return image;
}

MedalLook SetMedals(const Scale& scale, bool newButtons, bool mainMenuDesign) {
    MedalLook look;
    look.rowCaption = newButtons ? QColor(Qt::white) : Bgr(0xFFC8FF);
    if (!mainMenuDesign) look.modeCaption = newButtons ? Bgr(0xFF0000) : Bgr(0xFFFFC8);
    if (MenuClocksShown(scale) && newButtons)
        look.glyphs = {QStringLiteral("GMEDAL01"), QStringLiteral("GMEDAL02"), QStringLiteral("GMEDAL03")};
    return look;
}

QString CaptionLanguageCode(int language) {
    static const char* const codes[8] = {"ENG", "RUS", "DEU", "FRA", "SPA", "CHI", "ITA", "CZE"};
    return QString::fromLatin1(language >= 0 && language < 8 ? codes[language] : codes[0]);
}

QImage RecolourCaption(const QImage& picture, int captionColour) {
    if (captionColour < 2 || captionColour > 7 || picture.isNull()) return picture;
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]), a = qAlpha(row[x]);
            int nr = r, ng = g, nb = b;
            switch (captionColour) {
            case 2: {
                // Silver: the two smaller channels drop to 70 % of the smallest, the largest keeps
                // that plus 40 % of its distance to it, and goes to blue.
                const int lo = std::min({r, g, b}), hi = std::max({r, g, b});
                const int base = lo * 7 / 10;
                nr = ng = base + (hi - base) * 3 / 10;
                nb = base + (hi - base) * 4 / 10 + (hi - base) / 2;
                break;
            }
            case 3:
                nr = b, nb = r;
                break; // red and blue exchanged
            case 4:
                nr = g, ng = r;
                break; // red and green exchanged
            case 5:
                ng = b, nb = g;
                break; // green and blue exchanged
            case 6:
                nr = g, ng = b, nb = r;
                break; // turned one way
            case 7:
                nr = b, ng = r, nb = g;
                break; // turned the other way
            default:
                break;
            }
            row[x] = qRgba(std::min(nr, 255), std::min(ng, 255), std::min(nb, 255), a);
        }
    }
    return out;
}

QImage DrawTitle(const QSize& part) {
    const QImage title = BuiltinPicture(QStringLiteral("GTitle"));
    if (title.isNull() || part.isEmpty()) return title;
    return title.scaled(part, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

namespace {
QImage Captioned(const QString& name, int captionColour, const QSize& part) {
    QImage picture = RecolourCaption(BuiltinPicture(name), captionColour);
    if (picture.isNull() || part.isEmpty()) return picture;
    return picture.scaled(part, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
} // namespace

QImage CaptionPicture(int language, int captionColour, const QSize& part) {
    return Captioned(QStringLiteral("Cap") + CaptionLanguageCode(language), captionColour, part);
}

QImage ElitePicture(int language, bool network, int captionColour, const QSize& part) {
    return Captioned((network ? QStringLiteral("Net__") : QStringLiteral("Elite")) +
                         CaptionLanguageCode(language),
                     captionColour, part);
}

} // namespace tarvo

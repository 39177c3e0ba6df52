#include "table/Decorations.h"

#include <cmath>

#include <QBuffer>
#include <QFontMetrics>
#include <QHash>
#include <QImageReader>
#include <QSet>
#include <algorithm>
#include <optional>

#include "packages/Package.h"
#include "table/Fonts.h"
#include "table/Resize.h"

// The built-in pictures are compiled into the table library; asking for them from here keeps the
// linker from leaving them out of a program that uses only the decorations.
static void RegisterDecorationPictures() {
    Q_INIT_RESOURCE(tarvo_pictures);
}

namespace tarvo {

namespace {

struct PictureCache {
    QHash<QString, QImage> pictures;
    QSet<QString> missing;
};

PictureCache& Cache() {
    static PictureCache cache;
    return cache;
}

const Package& Program() {
    static const Package program = (RegisterDecorationPictures(), Package::Program());
    return program;
}

void NoteMissing(const QString& name) {
    Cache().missing.insert(name);
}

// Bilinear resize of a frame picture to the part, as the card pictures are resized; a picture
// in a format the resampler does not take is smoothed by Qt instead.
QImage Resized(const QImage& picture, int width, int height) {
    if (picture.isNull() || (picture.width() == width && picture.height() == height)) return picture;
    QImage out =
        picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    try {
        ResizePicture(out, width, height);
    } catch (const PictureFormatError&) {
        out = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (out.width() != width || out.height() != height)
        out = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return out;
}

QImage Stretched(const QImage& picture, int width, int height) {
    if (picture.isNull() || (picture.width() == width && picture.height() == height)) return picture;
    return picture.scaled(std::max(1, width), std::max(1, height), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

QImage Blank(int width, int height) {
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void PreparePainter(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

int TextWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

QString WithoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) --end;
    return text.left(end);
}

} // namespace

QColor Bgr(quint32 value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QImage BuiltinPicture(const QString& name) {
    const QString key = name.toUpper();
    PictureCache& cache = Cache();
    auto it = cache.pictures.constFind(key);
    if (it != cache.pictures.constEnd()) return *it;
    const QImage picture = Program().ReadPicture(RcData, name);
    if (picture.isNull()) NoteMissing(name);
    cache.pictures.insert(key, picture);
    return picture;
}

QImage BuiltinGifFrame(const QString& name, int frame) {
    const QString key = name.toUpper() + QLatin1Char('#') + QString::number(frame);
    PictureCache& cache = Cache();
    auto it = cache.pictures.constFind(key);
    if (it != cache.pictures.constEnd()) return *it;
    QImage picture;
    std::optional<QByteArray> bytes = Program().Read(RcData, name);
    if (!bytes) {
        NoteMissing(name);
    } else if (frame >= 0) {
        QBuffer buffer(&*bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        for (int i = 0; i <= frame && reader.canRead(); ++i) {
            QImage next = reader.read();
            if (next.isNull()) break;
            if (i == frame) picture = next;
        }
    }
    cache.pictures.insert(key, picture);
    return picture;
}

QStringList MissingBuiltinPictures() {
    QStringList names(Cache().missing.begin(), Cache().missing.end());
    names.sort();
    return names;
}

QImage ClearedPart(const DecorContext& ctx, const Rect& part) {
    QImage image = Blank(part.width, part.height);
    if (!ctx.background.isNull()) {
        QPainter p(&image);
        p.drawImage(-part.left, -part.top, ctx.background);
    }
    return image;
}

void CentreText(QPainter& painter, int left, int right, int y, const QString& text) {
    const QFontMetrics metrics(painter.font());
    const int x = left + (right - left - metrics.horizontalAdvance(text)) / 2;
    painter.drawText(x, y + metrics.ascent(), text);
}

void DrawFitted(QPainter& painter, const QImage& picture, const QRect& target) {
    if (picture.isNull()) return;
    painter.drawImage(target.topLeft(), Resized(picture, target.width(), target.height()));
}

namespace {
// The plate's frame, the count, and the pointer under it while the seat is to move.
QImage Plate(const DecorContext& ctx, const Rect& plate, const QString& penaltiesLabel, int penalties,
             bool pointer) {
    QImage image = ClearedPart(ctx, plate);
    QPainter p(&image);
    PreparePainter(p);
    if (ctx.Small()) {
        const QImage frame = BuiltinPicture(QStringLiteral("RamkaDGSm"));
        if (!frame.isNull()) p.drawImage(0, 0, frame);
    } else {
        const QImage frame = BuiltinPicture(QStringLiteral("RamkaDGBg"));
        if (!frame.isNull()) p.drawImage(0, 0, Stretched(frame, plate.width, plate.height));
    }
    const Scale& s = ctx.scale;
    const QImage hand = pointer ? BuiltinPicture(QStringLiteral("Hand_Up")) : QImage();
    if (!hand.isNull()) {
        // Below the count, so that it never hides a digit; the 40 x 60 hand is drawn smaller, the
        // same at every size.
        const QRect target(s.Scaled(56), s.Scaled(38), s.Scaled(18), s.Scaled(27));
        p.drawImage(target.topLeft(), Stretched(hand, target.width(), target.height()));
    }
    const QString text = penaltiesLabel + QString::number(penalties);
    p.setFont(RoleFont(FontRole::Decor, PlateTextHeight(s, text, ctx.fonts), false, ctx.fonts));
    p.setPen(Bgr(0xFF0000));
    CentreText(p, 0, plate.width, s.Scaled(15), text);
    return image;
}
} // namespace

int PlateTextHeight(const Scale& scale, const QString& text, const FontSettings& fonts) {
    const int limit = scale.Scaled(112); // inside the frame
    int height = RoleHeight(scale.Scaled(17), FontRole::Decor, fonts);
    while (height > scale.Scaled(8) &&
           TextWidth(RoleFont(FontRole::Decor, height, false, fonts), text) > limit)
        --height;
    return height;
}

QImage DrawNamePlate(const DecorContext& ctx, const Rect& plate, const QString& penaltiesLabel,
                     int penalties) {
    return Plate(ctx, plate, penaltiesLabel, penalties, false);
}

QImage DrawTurnPointer(const DecorContext& ctx, const Rect& plate, const QString& penaltiesLabel,
                       int penalties, bool on) {
    return Plate(ctx, plate, penaltiesLabel, penalties, on);
}

QImage DrawFirstBoutMarker(const DecorContext& ctx, const Rect& part, int frame) {
    QImage image = ClearedPart(ctx, part);
    QPainter p(&image);
    PreparePainter(p);
    const Scale& s = ctx.scale;
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), std::max(1, s.Scaled(1))));
    for (int k = 0; k < 5; ++k) {
        const QRectF card(s.Scaled(6 + 2 * k), s.Scaled(2 + 2 * k), s.Scaled(20), s.Scaled(28));
        p.setBrush(QColor(0xFA, 0xF6, 0xEC));
        p.drawRoundedRect(card, s.Scaled(3), s.Scaled(3));
    }
    const double glow = 0.5 + 0.5 * std::cos(frame % 12 * 3.14159265 / 6);
    const QRectF disc(s.Scaled(5), s.Scaled(32), s.Scaled(30), s.Scaled(26));
    p.setPen(QPen(QColor(0xF0, 0xC0, 0x20), std::max(1, s.Scaled(2))));
    p.setBrush(QColor(0xB0 + int(0x40 * glow), 0x18, 0x28));
    p.drawEllipse(disc);
    p.setPen(Qt::white);
    p.setFont(RoleFont(FontRole::Decor, RoleHeight(s.Scaled(20), FontRole::Decor, ctx.fonts), true, ctx.fonts));
    p.drawText(disc, Qt::AlignCenter, QStringLiteral("5"));
    return image;
}

QString BubblePictureName(char colour, bool small) {
    const char* base = nullptr;
    switch (colour) {
    case 'b':
        base = "SPBlue";
        break;
    case 'g':
        base = "SPGreen";
        break;
    case 'r':
        base = "SPRed";
        break;
    case 'y':
        base = "SPYellow";
        break;
    case 'o':
        base = "SPFiolet";
        break;
    default:
        return {};
    }
    return QString::fromLatin1(base) + (small ? QString() : QStringLiteral("B"));
}

int BubbleTextHeight(const Scale& scale, const QString& text, const FontSettings& fonts) {
    const QString shown = WithoutTrailingBlanks(text);
    const int limit = scale.Scaled(150);
    for (const int design : {18, 16}) {
        const int height = RoleHeight(scale.Scaled(design), FontRole::Serif, fonts);
        if (TextWidth(RoleFont(FontRole::Serif, height, true, fonts), shown) <= limit) return height;
    }
    return RoleHeight(scale.Scaled(14), FontRole::Serif, fonts);
}

QImage DrawBubble(const DecorContext& ctx, const Rect& bubble, const QString& text, char colour) {
    QImage image = ClearedPart(ctx, bubble);
    const QString name = BubblePictureName(colour, ctx.Small());
    if (text.isEmpty() || name.isEmpty()) return image;
    QPainter p(&image);
    PreparePainter(p);
    const QImage picture = BuiltinPicture(name);
    if (!picture.isNull()) {
        if (ctx.Small())
            p.drawImage(0, 0, picture);
        else
            p.drawImage(0, 0, Resized(picture, bubble.width, bubble.height));
    }
    const Scale& s = ctx.scale;
    const QString shown = WithoutTrailingBlanks(text);
    const int height = BubbleTextHeight(s, shown, ctx.fonts);
    p.setFont(RoleFont(FontRole::Serif, height, true, ctx.fonts));
    p.setPen(Bgr(0xFFFFFF));
    const int textHeight = QFontMetrics(p.font()).height();
    CentreText(p, 0, s.Scaled(160), RoundEven((bubble.height - textHeight) / 2.0), shown);
    return image;
}

int MoveTimerPart(int seat) {
    return seat >= 1 && seat <= 3 ? seat : 4;
}

QImage DrawMoveTimer(const DecorContext& ctx, const Rect& timer, int seconds) {
    // Transparent around the dial: an opponent's timer lies on his name plate, not on the cloth.
    QImage image = Blank(timer.width, timer.height);
    if (seconds < 0) return image;
    const bool hurry = seconds < 8;
    QPainter p(&image);
    PreparePainter(p);
    DrawFitted(p, BuiltinPicture(hurry ? QStringLiteral("GTimerR") : QStringLiteral("GTimerY")),
               QRect(0, 0, timer.width, timer.height));
    p.setFont(RoleFont(FontRole::Serif, RoleHeight(ctx.scale.Scaled(18), FontRole::Serif, ctx.fonts), true,
                       ctx.fonts));
    p.setPen(hurry ? Bgr(0x00FFFF) : Bgr(0x0000FF));
    const int textHeight = QFontMetrics(p.font()).height();
    CentreText(p, 0, timer.width, RoundEven((timer.height - textHeight) / 2.0), QString::number(seconds));
    return image;
}

QImage DrawGameCounter(const DecorContext& ctx, const Rect& counter, const QString& label, int number) {
    QImage image = ClearedPart(ctx, counter);
    QPainter p(&image);
    PreparePainter(p);
    p.setFont(RoleFont(FontRole::Decor, RoleHeight(ctx.scale.Scaled(30), FontRole::Decor, ctx.fonts), false,
                       ctx.fonts));
    // The counter sits on the bare cloth; a dark shadow keeps it readable on light backgrounds.
    const QString text = label + QString::number(number);
    p.setPen(QColor(0, 0, 0, 150));
    CentreText(p, 1, counter.width + 1, ctx.scale.Scaled(12) + 1, text);
    p.setPen(Bgr(0x00FFFF));
    CentreText(p, 0, counter.width, ctx.scale.Scaled(12), text);
    return image;
}

QString GameCounterHover(CounterKind kind, int kon, int konL, int konStart, const CounterHoverTexts& texts) {
    // Remainders of 0 read as the last round; negative differences wrap like the count itself.
    const auto round = [](int value, int period) {
        const int r = ((value % period) + period) % period;
        return r == 0 ? period : r;
    };
    const QString sep = QStringLiteral(" ");
    QStringList lines;
    lines << texts.generalNumber + sep + QString::number(kon);
    if (kind == CounterKind::Tournament) {
        lines << texts.roundInSession + sep + QStringLiteral("1 / 1");
        return lines.join(QStringLiteral("\n"));
    }
    const int cycle = kind == CounterKind::Rated ? round(kon + konL - konStart, 30) : round(kon, 30);
    lines << texts.roundInCycle + sep + QString::number(cycle) + QStringLiteral(" / 30");
    if (kind != CounterKind::Local)
        lines << texts.roundInSession + sep + QString::number(round(kon, 3)) + QStringLiteral(" / 3");
    return lines.join(QStringLiteral("\n"));
}

QColor ChatSeatColour(int seat) {
    switch (seat) {
    case 1:
        return Bgr(0x000080);
    case 2:
        return Bgr(0x800000);
    case 3:
        return Bgr(0x008000);
    case 4:
        return Bgr(0x008080);
    default:
        return QColor(Qt::black);
    }
}

QString FitChatLine(const QString& line, const Scale& scale, const FontSettings& fonts) {
    const QFont font = RoleFont(FontRole::Serif, scale.Scaled(14), false, fonts);
    const int limit = scale.Scaled(85);
    QString fitted = line;
    int removed = 0;
    while (removed < 12 && !fitted.isEmpty() && TextWidth(font, fitted) > limit) {
        fitted.chop(1);
        ++removed;
    }
    return removed > 0 ? fitted + QStringLiteral("...") : fitted;
}

void ChatMemo::Add(int seat, const QString& text, const Scale& scale, const FontSettings& fonts) {
    lines_.push_back({FitChatLine(text.mid(1), scale, fonts), seat});
    while (lines_.size() > MaxLines) lines_.pop_front();
}

QImage ChatMemo::Draw(const DecorContext& ctx, const Rect& memo) const {
    QImage image = ClearedPart(ctx, memo);
    QPainter p(&image);
    PreparePainter(p);
    if (ctx.Small()) {
        const QImage frame = BuiltinPicture(QStringLiteral("RamkaERSm"));
        if (!frame.isNull()) p.drawImage(0, 0, frame);
    } else {
        DrawFitted(p, BuiltinPicture(QStringLiteral("RamkaERBg")), QRect(0, 0, memo.width, memo.height));
    }
    const Scale& s = ctx.scale;
    const QFont font = RoleFont(FontRole::Serif, s.Scaled(14), false, ctx.fonts);
    p.setFont(font);
    // A line that stays too wide after its cut ends at the frame instead of running over it.
    p.setClipRect(0, 0, memo.width - s.Scaled(8), memo.height);
    const int ascent = QFontMetrics(font).ascent();
    for (int j = 1; j <= static_cast<int>(lines_.size()); ++j) {
        const ChatLine& line = lines_[static_cast<std::size_t>(j - 1)];
        p.setPen(ChatSeatColour(line.seat));
        p.drawText(s.Scaled(20), s.Scaled(14 * j + 3) + ascent, line.text);
    }
    return image;
}

QImage AddChatLine(ChatMemo& memo, const DecorContext& ctx, const Rect& part, int seat, const QString& text) {
    memo.Add(seat, text, ctx.scale, ctx.fonts);
    return memo.Draw(ctx, part);
}

QColor GameResultColour(GameResult outcome) {
    switch (outcome) {
    case GameResult::Lost:
        return Bgr(0xFFFF00);
    case GameResult::Won:
        return Bgr(0x80FF80);
    case GameResult::Draw:
        return Bgr(0x00FFFF);
    }
    return Bgr(0x00FFFF);
}

GameResultView ShowGameResult(const DecorContext& ctx, const Rect& table, GameResult outcome,
                              const QString& text, bool gifAnimation) {
    GameResultView view;
    view.table = table;
    view.table.height = RoundEven((table.height - 150) * 0.5) + 45;
    view.tablePicture = ClearedPart(ctx, view.table);
    {
        QPainter p(&view.tablePicture);
        PreparePainter(p);
        p.setFont(RoleFont(FontRole::Decor, RoleHeight(40, FontRole::Decor, ctx.fonts), false, ctx.fonts));
        const int y = view.table.height - 40;
        p.setPen(QColor(0, 0, 0, 160));
        CentreText(p, 2, view.table.width + 2, y + 2, text);
        p.setPen(GameResultColour(outcome));
        CentreText(p, 0, view.table.width, y, text);
    }
    const double sx = ctx.scale.Sx;
    view.banner = {RoundEven(sx * 255) + RoundEven((sx - 1) * 120), table.top + view.table.height + 5, 240,
                   110};
    static const char* const gifs[3] = {"GKonBads", "GKonGood", "GKonNich"};
    static const int stills[3] = {20, 9, 0};
    const int k = outcome == GameResult::Lost ? 0 : outcome == GameResult::Won ? 1 : 2;
    view.bannerGif = QString::fromLatin1(gifs[k]);
    if (!gifAnimation) {
        view.stillFrame = stills[k];
        view.stillPicture = BuiltinGifFrame(view.bannerGif, view.stillFrame);
    }
    return view;
}

} // namespace tarvo

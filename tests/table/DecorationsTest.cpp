#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <functional>
#include <memory>

#include "settings/Text.h"
#include "table/Decorations.h"
#include "table/Fonts.h"
#include "table/MenuClocks.h"

using namespace tarvo;

namespace {

// Text measurement needs a running application; the offscreen platform gives one without a display.
// It is made by the first test that runs, unless another part of the program made one before.
class QtEnvironment : public ::testing::Environment {
  public:
    void Ensure() {
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    // Before the program's statics go: an application left for exit crashes on its way out.
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "DecorationsTest";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
auto* const environment = static_cast<QtEnvironment*>(::testing::AddGlobalTestEnvironment(new QtEnvironment));

class WithApplication : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { environment->Ensure(); }
};
using Fonts = WithApplication;
using Decorations = WithApplication;
using MenuClocks = WithApplication;

DecorContext ContextFor(int windowSize) {
    DecorContext ctx;
    ctx.scale = Scale::ForWindowSize(windowSize);
    ctx.windowSize = windowSize;
    ctx.background = QImage(ctx.scale.clientWidth, ctx.scale.clientHeight, QImage::Format_RGB32);
    ctx.background.fill(QColor(0x10, 0x60, 0x30));
    return ctx;
}

int CountNear(const QImage& image, QColor colour, int tolerance = 40) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QColor c = argb.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <=
                tolerance)
                ++n;
        }
    return n;
}

// The box of the pixels of `image` that pass `test`, or of those where it differs from `other`.
QRect BoxOf(const QImage& image, const std::function<bool(int, int)>& test) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

// In every language and at every size a two-digit count fits inside the frame, and the pointer
// stands below the text, hiding none of it.
TEST_F(Decorations, PlateTextFitsAndThePointerLeavesItFree) {
    for (int language = 0; language < kLanguageCount; ++language) {
        FontSettings fonts;
        fonts.language = language;
        const std::string_view label = Text(txt::Penalties, 0, language);
        const QString text = QString::fromUtf8(label.data(), qsizetype(label.size()));
        for (const int size : {1, 3, 4, 5}) {
            DecorContext ctx = ContextFor(size);
            ctx.fonts = fonts;
            const Rect plate = Layout::For(ctx.scale, 71, 96).plates[0];
            const QImage bare = DrawNamePlate(ctx, plate, text, 99);
            const QImage pointed = DrawTurnPointer(ctx, plate, text, 99, true);
            const QRect textBox = BoxOf(bare, [&](int x, int y) {
                const QColor c = bare.pixelColor(x, y); // the text is pure blue, the frame navy
                return c.blue() > 180 && c.red() < 90 && c.green() < 90;
            });
            const QRect pointerBox =
                BoxOf(bare, [&](int x, int y) { return bare.pixel(x, y) != pointed.pixel(x, y); });
            const std::string where =
                "language " + std::to_string(language) + ", size " + std::to_string(size);
            ASSERT_FALSE(textBox.isEmpty()) << where;
            EXPECT_GE(textBox.left(), ctx.scale.Scaled(8)) << where;
            EXPECT_LE(textBox.right(), plate.width - ctx.scale.Scaled(8)) << where;
            ASSERT_FALSE(pointerBox.isEmpty()) << where << ": the pointer shows";
            EXPECT_GT(pointerBox.top(), textBox.bottom()) << where;
        }
    }
}

TEST_F(Fonts, RoleHeightUsesTheScaleOfItsRole) {
    FontSettings s;
    s.scaleLarge = 150;
    s.scaleSmall = 50;
    s.scaleSpecial1 = 125;
    s.scaleSpecial2 = 75;
    EXPECT_EQ(RoleHeight(18, FontRole::Serif, s), 27);
    EXPECT_EQ(RoleHeight(17, FontRole::Decor, s), 8); // 8.5 goes to the even neighbour
    EXPECT_EQ(RoleHeight(15, FontRole::Decor, s), 8); // 7.5 likewise
    EXPECT_EQ(RoleHeight(20, FontRole::Fixed, s), 25);
    EXPECT_EQ(RoleHeight(20, FontRole::Conew, s), 15);
    EXPECT_EQ(RoleHeight(40, QStringLiteral("decor"), s), 20);
    EXPECT_EQ(RoleHeight(40, QStringLiteral("serif"), s), 60);
    EXPECT_EQ(RoleHeight(40, QStringLiteral("bold"), s), 40);
    EXPECT_EQ(RoleHeight(18, FontRole::Serif, FontSettings{}), 18);
}

TEST_F(Fonts, MissingFamiliesFallBackToInstalledLookAlikes) {
    if (QFontDatabase::families().contains(QStringLiteral("Comic Sans MS")))
        GTEST_SKIP() << "the original family is installed here";
    EXPECT_EQ(InstalledFamily(QStringLiteral("Comic Sans MS")), QStringLiteral("Comic Neue"));
    EXPECT_EQ(InstalledFamily(QStringLiteral("FixedSys"), FontRole::Fixed),
              QStringLiteral("Liberation Mono"));
    EXPECT_EQ(InstalledFamily(QStringLiteral("Courier New"), FontRole::Conew),
              QStringLiteral("Liberation Mono"));
    EXPECT_EQ(InstalledFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    // A family from another machine's settings keeps the role's own look.
    EXPECT_EQ(InstalledFamily(QStringLiteral("No Such Family"), FontRole::Decor),
              QStringLiteral("Comic Neue"));
    EXPECT_EQ(InstalledFamily(QStringLiteral("No Such Family"), FontRole::Fixed),
              QStringLiteral("Liberation Mono"));

    const FontSettings defaults;
    EXPECT_EQ(QFontInfo(RoleFont(FontRole::Serif, 20, false, defaults)).family(),
              QStringLiteral("Comic Neue"));
    EXPECT_EQ(QFontInfo(RoleFont(FontRole::Fixed, 20, false, defaults)).family(),
              QStringLiteral("Liberation Mono"));
    EXPECT_EQ(QFontInfo(RoleFont(FontRole::Conew, 20, false, defaults)).family(),
              QStringLiteral("Liberation Mono"));
}

TEST_F(Fonts, HeightIsTheHeightOfALine) {
    for (const int h : {14, 18, 30, 40})
        EXPECT_NEAR(QFontMetrics(FontOfHeight(QStringLiteral("Comic Neue"), h, true)).height(), h, 1) << h;
}

TEST_F(Fonts, IdeographsTakeTheShapesOfTheirLanguage) {
    EXPECT_EQ(CjkFamily(5), QStringLiteral("Noto Sans CJK SC"));
    EXPECT_EQ(CjkFamily(8), QStringLiteral("Noto Sans CJK JP"));
    EXPECT_EQ(CjkFamily(9), QStringLiteral("Noto Sans CJK KR"));
    EXPECT_TRUE(CjkFamily(1).isEmpty());
    // "Bone" is drawn differently in Chinese and Japanese: the Chinese caption must not borrow the
    // Japanese shape.
    const auto render = [](const QFont& font) {
        QImage image(60, 60, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(5, 45, QStringLiteral("\u9AA8"));
        return image;
    };
    FontSettings chinese;
    chinese.language = 5;
    const QFont role = RoleFont(FontRole::Serif, 40, false, chinese);
    QFont sc = role, jp = role;
    sc.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    jp.setFamilies({QStringLiteral("Noto Sans CJK JP")});
    EXPECT_EQ(render(role), render(sc));
    EXPECT_NE(render(role), render(jp));
}

TEST_F(Decorations, BubbleTextStepsDownAndStillDrawsWhatDoesNotFit) {
    for (const int size : {1, 5}) {
        const DecorContext ctx = ContextFor(size);
        const Scale& s = ctx.scale;
        const Rect part = Layout::For(s, 71, 96).bubbles[0];
        EXPECT_EQ(BubbleTextHeight(s, QStringLiteral("I Go...   "), ctx.fonts),
                  RoleHeight(s.Scaled(18), FontRole::Serif, ctx.fonts));
        const QString forty(40, QLatin1Char('W'));
        EXPECT_EQ(BubbleTextHeight(s, forty, ctx.fonts), RoleHeight(s.Scaled(14), FontRole::Serif, ctx.fonts))
            << size;
        const QImage drawn = DrawBubble(ctx, part, forty, 'r');
        EXPECT_EQ(drawn.size(), QSize(part.width, part.height));
        EXPECT_GT(CountNear(drawn, Qt::white, 30), 20) << "the text is drawn even though it overflows";
        // "n" and an empty text leave only the cloth.
        const QImage cleared = ClearedPart(ctx, part);
        EXPECT_EQ(DrawBubble(ctx, part, QStringLiteral("I Take"), 'n'), cleared);
        EXPECT_EQ(DrawBubble(ctx, part, QString(), 'b'), cleared);
    }
    EXPECT_EQ(BubblePictureName('o', true), QStringLiteral("SPFiolet"));
    EXPECT_EQ(BubblePictureName('y', false), QStringLiteral("SPYellowB"));
}

TEST_F(Decorations, ChatLinesAreCutByAtMostTwelveCharacters) {
    const Scale s = Scale::ForWindowSize(1);
    const FontSettings fonts;
    EXPECT_EQ(FitChatLine(QStringLiteral("hi"), s, fonts), QStringLiteral("hi"));
    // Far too wide: twelve characters go, "..." comes, and the line stays too wide.
    const QString wide(40, QLatin1Char('W'));
    EXPECT_EQ(FitChatLine(wide, s, fonts), QString(28, QLatin1Char('W')) + QStringLiteral("..."));
    // A little too wide: shortened only until it fits.
    const QFont font = RoleFont(FontRole::Serif, s.Scaled(14), false, fonts);
    QString line = QStringLiteral("hello there friends");
    while (QFontMetrics(font).horizontalAdvance(line) <= s.Scaled(85)) line += QLatin1Char('x');
    const QString fitted = FitChatLine(line + QStringLiteral("yz"), s, fonts);
    ASSERT_TRUE(fitted.endsWith(QStringLiteral("...")));
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(fitted.chopped(3)), s.Scaled(85));
    EXPECT_GE(fitted.size() - 3, line.size() - 12);
}

TEST_F(Decorations, ChatMemoKeepsTheLastFourLinesWithTheirSenders) {
    const DecorContext ctx = ContextFor(1);
    const Rect part = Layout::For(ctx.scale, 71, 96).memo;
    ChatMemo memo;
    AddChatLine(memo, ctx, part, 1, QString()); // an empty message is an empty line, not a crash
    for (int i = 1; i <= 4; ++i) memo.Add(i, QStringLiteral("#m%1").arg(i), ctx.scale, ctx.fonts);
    ASSERT_EQ(memo.Lines().size(), 4u);
    EXPECT_EQ(memo.Lines().front().text, QStringLiteral("m1"));
    EXPECT_EQ(memo.Lines().back().text, QStringLiteral("m4"));
    EXPECT_EQ(memo.Lines().back().seat, 4);
    const QImage drawn = memo.Draw(ctx, part);
    EXPECT_GT(CountNear(drawn, ChatSeatColour(2), 60), 5);
    EXPECT_EQ(ChatSeatColour(1), QColor(0x80, 0, 0));
    EXPECT_EQ(ChatSeatColour(2), QColor(0, 0, 0x80));
    EXPECT_EQ(ChatSeatColour(3), QColor(0, 0x80, 0));
    EXPECT_EQ(ChatSeatColour(4), QColor(0x80, 0x80, 0));
}

TEST_F(Decorations, GameCounterHoverByKindOfPlay) {
    const CounterHoverTexts t{QStringLiteral("General number of game:"),
                              QStringLiteral("Number of round in a current cycle:"),
                              QStringLiteral("Number of round in a current session:")};
    const QString general = t.generalNumber + QLatin1Char(' '), cycle = t.roundInCycle + QLatin1Char(' '),
                  session = t.roundInSession + QLatin1Char(' ');
    const QString nl = QStringLiteral("\n");
    EXPECT_EQ(GameCounterHover(CounterKind::Local, 61, 0, 0, t), general + "61" + nl + cycle + "1 / 30");
    EXPECT_EQ(GameCounterHover(CounterKind::Local, 60, 0, 0, t), general + "60" + nl + cycle + "30 / 30");
    // Rated: the cycle continues the unfinished one; the session counts in threes.
    EXPECT_EQ(GameCounterHover(CounterKind::Rated, 7, 12, 5, t),
              general + "7" + nl + cycle + "14 / 30" + nl + session + "1 / 3");
    EXPECT_EQ(GameCounterHover(CounterKind::Rated, 3, 27, 0, t),
              general + "3" + nl + cycle + "30 / 30" + nl + session + "3 / 3");
    EXPECT_EQ(GameCounterHover(CounterKind::Network, 32, 99, 1, t),
              general + "32" + nl + cycle + "2 / 30" + nl + session + "2 / 3");
    EXPECT_EQ(GameCounterHover(CounterKind::Tournament, 4, 0, 0, t), general + "4" + nl + session + "1 / 1");
}

TEST_F(Decorations, GameResultStripAndBanner) {
    for (const int size : {1, 5}) {
        const DecorContext ctx = ContextFor(size);
        const Rect table = Layout::For(ctx.scale, 71, 96).table;
        const GameResultView lost =
            ShowGameResult(ctx, table, GameResult::Lost, QStringLiteral("You lose!!!"), false);
        EXPECT_EQ(lost.table.height, RoundEven((table.height - 150) * 0.5) + 45);
        EXPECT_EQ(lost.tablePicture.height(), lost.table.height);
        EXPECT_EQ(lost.banner.top, table.top + lost.table.height + 5);
        EXPECT_EQ(lost.banner.width, 240);
        EXPECT_EQ(lost.bannerGif, QStringLiteral("GKonBads"));
        EXPECT_EQ(lost.stillFrame, 20);
        EXPECT_FALSE(lost.stillPicture.isNull());
        EXPECT_GT(CountNear(lost.tablePicture, QColor(0, 0xFF, 0xFF), 30), 20);
    }
    const DecorContext small = ContextFor(1);
    const Rect table = Layout::For(small.scale, 71, 96).table;
    const GameResultView won =
        ShowGameResult(small, table, GameResult::Won, QStringLiteral("You have won!!!"), false);
    EXPECT_EQ(won.table.height, 35);
    EXPECT_EQ(won.banner, (Rect{255, 220, 240, 110}));
    EXPECT_EQ(won.stillFrame, 9);
    const GameResultView draw =
        ShowGameResult(small, table, GameResult::Draw, QStringLiteral("Dead heat..."), true);
    EXPECT_EQ(draw.bannerGif, QStringLiteral("GKonNich"));
    EXPECT_EQ(draw.stillFrame, -1);
    EXPECT_TRUE(draw.stillPicture.isNull());
    EXPECT_EQ(ShowGameResult(ContextFor(5), table, GameResult::Won, QString(), true).banner.left, 510 + 120);
}

TEST_F(MenuClocks, DigitsOfTheTime) {
    const std::vector<Glyph> ten{{"GBClock1", 14, 15},
                                 {"GBClock0", 34, 15},
                                 {"GBClockP", 55, 24},
                                 {"GBClock0", 61, 15},
                                 {"GBClock5", 81, 15}};
    EXPECT_EQ(MenuClockGlyphs(QTime(10, 5, 0, 600)), ten);
    const std::vector<Glyph> nine{{"GBClock9", 34, 15}, {"GBClock0", 61, 15}, {"GBClock5", 81, 15}};
    EXPECT_EQ(MenuClockGlyphs(QTime(9, 5, 0, 200)), nine);
    EXPECT_EQ(MenuClockGlyphs(QTime(9, 5, 0, 500)), nine); // the colon needs more than 500
    EXPECT_EQ(MenuClockGlyphs(QTime(0, 0, 0, 999)).size(), 4u);
}

TEST_F(MenuClocks, HiddenBelowScaleOnePointSix) {
    const InfoTexts texts;
    for (const auto& [size, shown] :
         std::vector<std::pair<int, bool>>{{1, false}, {3, false}, {4, true}, {5, true}}) {
        const DecorContext ctx = ContextFor(size);
        const Rect part{0, 0, 115, 64};
        EXPECT_EQ(DrawMenuClock(ctx, part, QTime(12, 0)).isNull(), !shown) << size;
        const InfoDisplay info = DrawInfoDisplay(ctx, part, 2, InfoReply{5, {}}, texts);
        EXPECT_EQ(info.picture.isNull(), !shown) << size;
        EXPECT_EQ(info.figure, QStringLiteral("5"));
    }
}

TEST_F(MenuClocks, InfoFiguresAndTheirPlaces) {
    EXPECT_EQ(InfoFigureText(2, 1234567), QStringLiteral("1M"));
    const std::vector<Glyph> oneM{{"GAClock1", 38, 15}, {"", 58, 15, QLatin1Char('M')}};
    EXPECT_EQ(InfoGlyphs(2, QStringLiteral("1M")), oneM);
    const std::vector<std::pair<double, QString>> shortened{{0, "0"},         {999, "999"},  {1000, "1K"},
                                                            {999999, "999K"}, {25e6, "25M"}, {3e9, "3G"}};
    for (const auto& [value, text] : shortened) EXPECT_EQ(InfoFigureText(2, value), text) << value;
    EXPECT_EQ(InfoFigureText(1, 63.25), QStringLiteral("63.3"));
    EXPECT_EQ(InfoFigureText(3, -12), QStringLiteral("-12"));
    EXPECT_EQ(InfoFigureText(7, 1234567), QStringLiteral("1M")); // seven places do not fit
    EXPECT_DOUBLE_EQ(InfoPercentage(0, 0), 0);
    EXPECT_DOUBLE_EQ(InfoPercentage(1, 3), 75);

    const std::vector<std::vector<int>> xs{
        {50}, {38, 58}, {29, 49, 69}, {27, 42, 57, 72}, {28, 40, 52, 64, 76}, {15, 24, 33, 42, 51, 60}};
    for (std::size_t n = 1; n <= 6; ++n) {
        const auto glyphs = InfoGlyphs(5, QString(static_cast<qsizetype>(n), QLatin1Char('7')));
        ASSERT_EQ(glyphs.size(), n);
        for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(glyphs[i].x, xs[n - 1][i]);
    }
    const auto signs = InfoGlyphs(1, QStringLiteral("-1.5"));
    EXPECT_EQ(signs[0].picture, QStringLiteral("GRClockM"));
    EXPECT_EQ(signs[2].picture, QStringLiteral("GRClockP"));

    EXPECT_EQ(InfoModeForMinute(0), 1);
    EXPECT_EQ(InfoModeForMinute(5), 7); // mode 6 is drawn as 7
    EXPECT_EQ(InfoModeForMinute(13), 7);
    EXPECT_EQ(InfoModeForMinute(59), 4);
}

TEST_F(MenuClocks, InfoHintsWithoutConnectionOrPlayer) {
    InfoTexts t;
    t.hints = {"",
               "Dynamic IQ for Windows (percent)",
               "Games played with PC",
               "Best Windows Player: ",
               "Best Android Player: ",
               "The best player of games from under the account: ",
               "",
               "Club members: "};
    t.no = QStringLiteral("No");
    const DecorContext ctx = ContextFor(5);
    const Rect part{0, 0, 115, 64};
    struct Case {
        int mode;
        std::optional<InfoReply> reply;
        QString hint, figure;
    };
    const std::vector<Case> cases{
        {1, std::nullopt, "Dynamic IQ for Windows (percent): NO CONNECT", "00"},
        {2, std::nullopt, "Games played with PC: NO CONNECT", "00"},
        {4, std::nullopt, "Best Android Player: NO CONNECT", "00"},
        {6, std::nullopt, "Club members:  NO CONNECT", "00"},
        {3, InfoReply{1520, "#"}, "Best Windows Player: No", "00"},
        {5, InfoReply{1710, "Olga"}, "The best player of games from under the account: Olga", "1710"},
        {7, InfoReply{842, {}}, "Club members: 842", "842"},
        {2, InfoReply{1234567, {}}, "Games played with PC", "1M"},
    };
    for (const Case& c : cases) {
        const InfoDisplay d = DrawInfoDisplay(ctx, part, c.mode, c.reply, t);
        EXPECT_EQ(d.hint, c.hint) << c.mode;
        EXPECT_EQ(d.figure, c.figure) << c.mode;
        EXPECT_FALSE(d.picture.isNull());
    }
}

TEST_F(MenuClocks, NewsChatSignalsByScale) {
    const Scale small = Scale::ForWindowSize(1);
    const Rect exit{330, 465, 100, 30};
    const NewsChatView quiet = ShowNewsChatIndicators(small, {}, exit, false, true);
    EXPECT_FALSE(quiet.shelfShown);
    EXPECT_FALSE(quiet.newsShown);
    EXPECT_TRUE(quiet.chatShown && quiet.chatAnimates);
    // Level with the Exit button on either side of it, inside the window.
    EXPECT_EQ(quiet.newsSiren, (Rect{290, 464, 30, 33}));
    EXPECT_EQ(quiet.chatSiren, (Rect{440, 464, 30, 33}));
    EXPECT_LE(quiet.chatSiren.Bottom(), small.clientHeight);

    const NewsChatView large =
        ShowNewsChatIndicators(Scale::ForWindowSize(4), {1000, 600, 220, 125}, {}, true, false);
    EXPECT_TRUE(large.shelfShown && large.newsShown && large.chatShown);
    EXPECT_TRUE(large.newsAnimates);
    EXPECT_FALSE(large.chatAnimates);
    EXPECT_EQ(large.newsSiren, (Rect{1050, 655, 30, 33}));
    EXPECT_EQ(large.chatSiren, (Rect{1140, 655, 30, 33}));
}

TEST_F(MenuClocks, MedalsAndCaptionColours) {
    const MedalLook plain = SetMedals(Scale::ForWindowSize(5), false, false);
    EXPECT_EQ(plain.rowCaption, QColor(0xFF, 0xC8, 0xFF));
    EXPECT_EQ(plain.modeCaption, QColor(0xC8, 0xFF, 0xFF));
    EXPECT_TRUE(plain.glyphs[0].isEmpty());
    const MedalLook shiny = SetMedals(Scale::ForWindowSize(5), true, true);
    EXPECT_EQ(shiny.rowCaption, QColor(Qt::white));
    EXPECT_FALSE(shiny.modeCaption.has_value());
    EXPECT_EQ(shiny.glyphs[2], QStringLiteral("GMEDAL03"));
    EXPECT_TRUE(SetMedals(Scale::ForWindowSize(3), true, false).glyphs[0].isEmpty());
    EXPECT_EQ(SetMedals(Scale::ForWindowSize(3), true, false).modeCaption, QColor(0, 0, 0xFF));

    QImage sample(2, 1, QImage::Format_ARGB32);
    sample.setPixel(0, 0, qRgba(200, 120, 40, 255));
    sample.setPixel(1, 0, qRgba(10, 220, 90, 128));
    EXPECT_EQ(RecolourCaption(sample, 1), sample);
    std::vector<QImage> variants;
    for (int v = 1; v <= 7; ++v) {
        const QImage out = RecolourCaption(sample, v);
        EXPECT_EQ(qAlpha(out.pixel(1, 0)), 128) << v;
        for (const QImage& earlier : variants) EXPECT_NE(out, earlier) << v;
        variants.push_back(out);
    }
    EXPECT_EQ(CaptionLanguageCode(5), QStringLiteral("CHI"));
    EXPECT_EQ(CaptionLanguageCode(9), QStringLiteral("ENG"));
}

TEST_F(Decorations, EveryPictureDrawnIsBuiltIn) {
    QStringList names{"RamkaDGSm", "RamkaDGBg", "RamkaERSm", "RamkaERBg", "Hand_Up",  "GTimerR",
                      "GTimerY",   "GClockBG",  "GBClockP",  "Windows",   "Android",  "Account48",
                      "GPolkaNw",  "GNews072",  "GChat072",  "GTitle",    "GSirenaB", "GSirenaR"};
    for (const char c : {'b', 'g', 'r', 'y', 'o'})
        names << BubblePictureName(c, true) << BubblePictureName(c, false);
    for (int d = 0; d <= 9; ++d) names << QStringLiteral("GBClock%1").arg(d);
    for (int mode : {1, 2, 3, 4, 5, 7})
        for (const char* s : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "M", "P"})
            names << InfoDigitSet(mode) + s;
    for (int m = 1; m <= 3; ++m) names << QStringLiteral("GMEDAL0%1").arg(m);
    for (int l = 0; l < 8; ++l) {
        const QString code = CaptionLanguageCode(l);
        names << "Cap" + code << "Elite" + code << "Net__" + code;
    }
    for (const QString& name : names) EXPECT_FALSE(BuiltinPicture(name).isNull()) << name.toStdString();
    for (const char* gif : {"GKonBads", "GKonGood", "GKonNich"})
        EXPECT_FALSE(BuiltinGifFrame(QString::fromLatin1(gif), 0).isNull()) << gif;
}

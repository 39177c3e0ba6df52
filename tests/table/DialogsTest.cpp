// The message window, the speed dialog and the owner-drawn button, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "../support/TestApplication.h"
#include "../support/Typing.h"
#include "packages/Package.h"
#include "table/CardsButton.h"
#include "table/Cp1251Field.h"
#include "table/MessageWindow.h"
#include "table/SpeedDialog.h"

namespace tarvo {
namespace {

class Dialogs : public ::testing::Test {
  protected:
    void SetUp() override { test::TestApplication(); }
};

// Runs `act` on the modal window once it is up; closes any window still open after a while, so
// that a window that ignores `act` fails the test instead of hanging it.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
    QTimer::singleShot(3000, [] {
        if (QWidget* stuck = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the window did not close";
            stuck->close();
        }
    });
}

// --- fields whose text is stored in Windows-1251 -------------------------------------------

TEST(Cp1251Field, WhatTheCodePageHolds) {
    const struct {
        const char* text;
        bool fits;
    } cases[] = {
        {"Mr.X 12 #$*&\"'", true}, {"Иван Петров", true}, {"Ґалина Її", true},
        {"€№«»—", true},           {"Jürgen", false},     {"bär12", false},
        {"Ελένη", false},          {"李明", false},       {"😀", false},
        {"tab\there", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FitsCp1251(QString::fromUtf8(c.text)), c.fits) << c.text;
}

TEST_F(Dialogs, ARefusedLetterIsNotTypedAndTheHintSaysWhichCanBe) {
    QLineEdit field;
    field.show();
    Cp1251Validator* validator = KeepToCp1251(&field, 2);
    int refused = 0;
    QObject::connect(validator, &Cp1251Validator::refused, [&refused] { ++refused; });
    test::Type(&field, QStringLiteral("Jürgen"));
    EXPECT_EQ(field.text(), QStringLiteral("Jrgen"));
    EXPECT_EQ(refused, 1);
    EXPECT_TRUE(validator->Hint().contains(QStringLiteral("Umlaute"))) << "the hint speaks German";
    field.clear();
    field.insert(QStringLiteral("Jürgen")); // a paste with one bad letter is refused whole
    EXPECT_EQ(field.text(), QString());
    EXPECT_EQ(KeepToCp1251(&field, 1), validator) << "a change of language keeps the one validator";
    EXPECT_TRUE(validator->Hint().contains(QStringLiteral("кириллицу")));
}

// --- the message window -------------------------------------------------------------------

TEST(MessageWidth, NarrowTextsKeep400AndWideOnesKeep50Spare) {
    const struct {
        int text, width;
    } cases[] = {{0, 400}, {100, 400}, {290, 400}, {291, 400}, {292, 401}, {320, 429}, {700, 809}};
    for (const auto& c : cases) EXPECT_EQ(MessageClientWidth(c.text), c.width) << "text " << c.text;
}

TEST_F(Dialogs, OneShortLineShowsOnlyTheFirstLabel) {
    TFormLink form(QStringLiteral("No Connect"), QString(), QString());
    form.show();
    EXPECT_EQ(form.size(), QSize(400, 90));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Attention"));
    EXPECT_TRUE(form.Label1->isVisible());
    EXPECT_FALSE(form.Label2->isVisible());
    EXPECT_FALSE(form.Label3->isVisible());
    EXPECT_EQ(form.Button1->geometry(), QRect(5, 58, 390, 27));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Ok"));
    EXPECT_EQ(form.Button1->PieceBase(), QStringLiteral("R29"));
}

TEST_F(Dialogs, TheWidestLineSetsTheWidthWhereverItIs) {
    const QString shortLine = QStringLiteral("Short");
    const QString longLine = QStringLiteral("A much longer line of the message, wider than the window");
    for (int where = 0; where < 3; ++where) {
        QString lines[3] = {shortLine, shortLine, shortLine};
        lines[where] = longLine;
        if (where == 2) lines[1] = longLine; // two equal lines longer than the first
        TFormLink form(lines[0], lines[1], lines[2], {QStringLiteral("Achtung"), QStringLiteral("OK")});
        form.show();
        // Measured independently in the labels' own font.
        const int widest = QFontMetrics(form.Label1->font()).horizontalAdvance(longLine);
        ASSERT_GT(widest + 59, 350) << "the test line must be wide enough to widen the window";
        EXPECT_EQ(form.width(), widest + 59 + 50) << "long line at " << where;
        EXPECT_EQ(form.Button1->width(), form.width() - 10);
        EXPECT_TRUE(form.Label1->isVisible() && form.Label2->isVisible() && form.Label3->isVisible());
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Achtung"));
    }
}

TEST_F(Dialogs, EscAndOkBothCloseAndFreeTheWindow) {
    const std::pair<const char*, std::function<void(TFormLink*)>> closers[] = {
        {"Esc", [](TFormLink* form) { QTest::keyClick(form->Button1, Qt::Key_Escape); }},
        {"Ok", [](TFormLink* form) { QTest::mouseClick(form->Button1, Qt::LeftButton); }},
        {"Enter", [](TFormLink* form) { QTest::keyClick(form->Button1, Qt::Key_Return); }},
    };
    for (const auto& [name, close] : closers) {
        QPointer<QWidget> seen;
        WhenModal([&seen, close = close](QWidget* modal) {
            seen = modal;
            auto* form = dynamic_cast<TFormLink*>(modal);
            ASSERT_NE(form, nullptr);
            close(form);
        });
        ShowMessageLines(QStringLiteral("Can`t find the file QobCGraph1.dll"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(seen.isNull()) << name << ": the window was not freed";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << name;
    }
}

TEST_F(Dialogs, TheLinkLabelOpensAFileOrAnAddress) {
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("readme.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_EQ(LinkUrl(QStringLiteral("www.example.org/news")),
              QUrl(QStringLiteral("http://www.example.org/news")));
    EXPECT_EQ(LinkUrl(QStringLiteral("https://example.org/a?b=1")),
              QUrl(QStringLiteral("https://example.org/a?b=1")));
    EXPECT_EQ(LinkUrl(file), QUrl::fromLocalFile(file));
    EXPECT_FALSE(LinkUrl(QStringLiteral("   ")).isValid());

    TFormLink form(QStringLiteral("Line"), QString(), QString());
    EXPECT_FALSE(form.OpenLink()) << "an empty link opens nothing";
}

// --- the speed dialog ---------------------------------------------------------------------

TEST(SpeedPreview, IntervalFollowsTheSpeed) {
    const int expected[6] = {110, 95, 80, 65, 40, 25};
    for (int speed = 1; speed <= 6; ++speed) EXPECT_EQ(PreviewInterval(speed), expected[speed - 1]);
}

TEST_F(Dialogs, TrackBarSetsTheSpeedAtOnceAndTheFrameRate) {
    int speed = 3;
    TFormSpeed form(speed, SpeedDialogOptions{}, SpeedDesignPictures{});
    form.show();
    EXPECT_EQ(form.TrackBar1->value(), 3);
    EXPECT_EQ(form.Timer48.interval(), 80);
    EXPECT_TRUE(form.Timer48.isActive());

    form.TrackBar1->setFocus();
    QTest::keyClick(form.TrackBar1, Qt::Key_End); // the player drags it all the way
    EXPECT_EQ(form.TrackBar1->value(), 6);
    EXPECT_EQ(speed, 6);
    EXPECT_EQ(form.Timer48.interval(), 25);
    QTest::keyClick(form.TrackBar1, Qt::Key_Left);
    EXPECT_EQ(speed, 5);
    EXPECT_EQ(form.Timer48.interval(), 40);

    form.close();
    EXPECT_FALSE(form.Timer48.isActive()) << "closing stops the preview";
}

TEST_F(Dialogs, SpeedDialogDesignsAndTheirFallBacks) {
    QImage background(340, 280, QImage::Format_RGB32);
    background.fill(QColor(0x30, 0x10, 0x40));
    QImage header(200, 40, QImage::Format_ARGB32);
    header.fill(Qt::white);
    const struct {
        const char* name;
        bool graphic;
        int variant;
        SpeedDesignPictures pictures;
        bool graphicAfter;
        int variantAfter;
    } cases[] = {
        {"plain ribbon", false, 2, {}, false, 2},
        {"plain lettered word without its picture", false, 1, {}, false, 1},
        {"plain banner without the package", false, 3, {}, false, 2},
        {"plain banner", false, 3, {QImage(), header, QImage(), QImage()}, false, 3},
        {"graphic without the package", true, 1, {}, false, 2},
        {"graphic", true, 3, {background, header, QImage(), QImage()}, true, 3},
    };
    for (const auto& c : cases) {
        int speed = 2;
        SpeedDialogOptions options;
        options.graphicDesign = c.graphic;
        options.headerVariant = c.variant;
        TFormSpeed form(speed, options, c.pictures);
        form.show();
        EXPECT_EQ(form.GraphicDesign(), c.graphicAfter) << c.name;
        EXPECT_EQ(form.HeaderVariant(), c.variantAfter) << c.name;
        EXPECT_EQ(form.Image0->isVisible(), !c.graphicAfter) << c.name;
        EXPECT_EQ(form.Panel1->isVisible(), !c.graphicAfter) << c.name;
        EXPECT_EQ(form.Image1->isVisible(), !c.graphicAfter) << c.name;
        EXPECT_EQ(form.Button1->ColorSB(),
                  c.graphicAfter ? TQobCardsButton::Scheme::DCards : TQobCardsButton::Scheme::DRed)
            << c.name;
        EXPECT_EQ(form.size(), QSize(340, 280));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Choice of speed"));
    }
}

TEST_F(Dialogs, ModalSpeedDialogWithoutTheGraphicsPackage) {
    QTemporaryDir empty;
    const PackageRegistry packages({empty.path(), empty.path()});
    for (const bool graphic : {false, true}) {
        int speed = 2;
        SpeedDialogOptions options;
        options.graphicDesign = graphic;
        options.headerVariant = 3; // needs the package's header too
        options.packages = &packages;
        WhenModal([](QWidget* modal) {
            auto* form = dynamic_cast<TFormSpeed*>(modal);
            ASSERT_NE(form, nullptr);
            EXPECT_FALSE(form->GraphicDesign());
            EXPECT_EQ(form->HeaderVariant(), 2);
            form->TrackBar1->setValue(6);
            QTest::keyClick(form->TrackBar1, Qt::Key_Escape);
        });
        EXPECT_EQ(ShowSpeedDialog(speed, options), !graphic) << "graphic " << graphic;
        EXPECT_EQ(speed, 6) << "the speed outlives the window";
    }
}

TEST_F(Dialogs, ALongPromptGrowsUpwardsInsteadOfBeingCut) {
    int speed = 1;
    SpeedDialogOptions options;
    TFormSpeed english(speed, options, SpeedDesignPictures{});
    EXPECT_EQ(english.Label0->geometry(), QRect(159, 120, 146, 41));

    options.prompt = QString::fromUtf8("Выберете скорость полёта карт, пожалуйста, прямо сейчас:");
    TFormSpeed longer(speed, options, SpeedDesignPictures{});
    const QRect box = longer.Label0->geometry();
    const int needed =
        QFontMetrics(longer.Label0->font())
            .boundingRect(QRect(0, 0, 146, 1000), Qt::AlignCenter | Qt::TextWordWrap, options.prompt)
            .height();
    EXPECT_GE(box.height(), needed);
    EXPECT_EQ(box.bottom(), 160) << "the prompt stays right above the track bar";
    EXPECT_GE(box.top(), 62) << "and below the red bar";
}

TEST_F(Dialogs, OkPlaysTheSaluteBeforeClosing) {
    int speed = 4;
    QWidget* saluted = nullptr;
    bool visibleDuringSalute = false;
    SpeedDialogOptions options;
    TFormSpeed* formPtr = nullptr;
    options.salute = [&](QWidget* button) {
        saluted = button;
        visibleDuringSalute = formPtr->isVisible();
    };
    TFormSpeed form(speed, options, SpeedDesignPictures{});
    formPtr = &form;
    form.show();
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_EQ(saluted, form.Button1);
    EXPECT_TRUE(visibleDuringSalute);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(speed, 4) << "closing leaves the speed as it was";
}

TEST(SpeedPreview, TenFramesFromAStripOrDrawnHere) {
    QImage strip(480, 48, QImage::Format_ARGB32);
    for (int k = 0; k < 10; ++k)
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) strip.setPixel(k * 48 + x, y, qRgb(k * 20, 0, 0));
    for (int k = 0; k < 12; ++k) {
        const QImage frame = SpeedPreviewFrame(k, strip);
        ASSERT_EQ(frame.size(), QSize(48, 48));
        EXPECT_EQ(qRed(frame.pixel(24, 24)), (k % 10) * 20) << "frame " << k;
    }
    const QImage first = SpeedPreviewFrame(0, QImage());
    EXPECT_EQ(first.size(), QSize(48, 48));
    EXPECT_NE(first, SpeedPreviewFrame(1, QImage()));
    EXPECT_EQ(first, SpeedPreviewFrame(10, QImage()));
}

// --- the button ---------------------------------------------------------------------------

TEST(CardsButtonPictures, SetByHeightAndNata) {
    const struct {
        int height;
        bool nata;
        const char* base;
    } cases[] = {{20, false, "R29"}, {30, false, "R29"}, {31, false, "R44"},
                 {45, false, "R44"}, {46, false, "R59"}, {90, false, "R59"},
                 {27, true, "Q29"},  {45, true, "Q44"},  {60, true, "Q59"}};
    for (const auto& c : cases)
        EXPECT_EQ(ButtonPieceBase(c.height, c.nata), QString::fromLatin1(c.base))
            << c.height << " " << c.nata;
}

TEST_F(Dialogs, EveryBuiltInPieceIsThere) {
    for (const char* base : {"R29", "R44", "R59", "Q29", "Q44", "Q59"}) {
        const ButtonPieces pieces = LoadButtonPieces(QString::fromLatin1(base));
        EXPECT_TRUE(pieces.IsComplete()) << base;
        EXPECT_EQ(pieces.left.height(), QString::fromLatin1(base).mid(1).toInt()) << base;
    }
}

class CardsButtonDrawing : public Dialogs {
  protected:
    void SetUp() override {
        Dialogs::SetUp();
        InstallLoader();
    }
    // Also empties the button's picture caches, so every load is seen.
    void InstallLoader() {
        // Plain red pieces of the requested height: easy to read back.
        SetButtonPieceLoader([this](const QString& name) {
            requested.append(name);
            const int h = name.mid(1, 2).toInt();
            QImage piece(name.endsWith(QStringLiteral("_2")) ? 8 : h / 2, h, QImage::Format_ARGB32);
            piece.fill(QColor(0xC0, 0x18, 0x2B));
            return piece;
        });
    }
    void TearDown() override { SetButtonPieceLoader({}); }

    QRgb CentreOf(TQobCardsButton& button) {
        const QImage shot = button.grab().toImage();
        return shot.pixel(shot.width() / 2, 2); // above the caption
    }

    QStringList requested;
};

TEST_F(CardsButtonDrawing, DrawsThePiecesOfItsHeight) {
    const struct {
        int height;
        bool nata;
        const char* base;
    } cases[] = {{27, false, "R29"}, {45, false, "R44"}, {45, true, "Q44"}, {60, false, "R59"}};
    for (const auto& c : cases) {
        requested.clear();
        InstallLoader();
        TQobCardsButton button(QStringLiteral("Ok"));
        button.SetNata(c.nata);
        button.resize(200, c.height);
        button.grab();
        const QString base = QString::fromLatin1(c.base);
        EXPECT_EQ(requested, QStringList({base + "_L", base + "_R", base + "_2"})) << c.height;
    }
}

TEST_F(CardsButtonDrawing, SchemeBrightnessAndGreyWhenDisabled) {
    TQobCardsButton button(QStringLiteral("Ok"));
    button.resize(120, 27);
    const QRgb red = CentreOf(button);
    EXPECT_GT(qRed(red), 150);
    EXPECT_LT(qBlue(red), 80);

    button.SetColorSB(TQobCardsButton::Scheme::DBlue);
    const QRgb blue = CentreOf(button);
    EXPECT_GT(qBlue(blue), 150);
    EXPECT_LT(qRed(blue), 80);

    button.SetKLightSB(50);
    const QRgb dim = CentreOf(button);
    EXPECT_LT(qBlue(dim), qBlue(blue) * 6 / 10);

    button.SetKLightSB(100);
    button.setEnabled(false);
    const QRgb grey = CentreOf(button);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(qGreen(grey), qBlue(grey));
    button.SetGrayDis(false);
    EXPECT_EQ(CentreOf(button), blue) << "without GrayDis a disabled button keeps its colours";
}

TEST_F(Dialogs, MessageTextIsTwentyPixelsHighInAnInstalledFamily) {
    TFormLink form(QStringLiteral("Text"), QString(), QString());
    const QFont font = form.Label1->font();
    EXPECT_TRUE(QFontDatabase::hasFamily(font.family())) << font.family().toStdString();
    EXPECT_NEAR(QFontMetrics(font).height(), 20, 1);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(form.Label3->font().underline());
}

} // namespace
} // namespace tarvo

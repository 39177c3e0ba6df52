// The options dialog: what each control writes, the fall-backs, the download buttons against a
// local web server, and the tab that is remembered for the run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontComboBox>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "../support/TestApplication.h"
#include "../support/TinyWebServer.h"
#include "packages/Package.h"
#include "table/CardsButton.h"
#include "table/OptionsDialog.h"
#include "table/PassportWindow.h"

namespace tarvo {
namespace {

struct RecordingHooks : OptionsHooks {
    int languageChanges = 0;
    int sizeChanges = 0;
    int fontChanges = 0;
    int radioChecks = 0;
    void LanguageChanged() override { ++languageChanges; }
    void RadioCheck() override { ++radioChecks; }
    void WindowSizeChanged() override { ++sizeChanges; }
    void FontsChanged() override { ++fontChanges; }
};

// A package file with one small resource, made with the real rcc.
void WritePackage(const QString& path) {
    QTemporaryDir work;
    QFile body(QDir(work.path()).filePath(QStringLiteral("x.txt")));
    ASSERT_TRUE(body.open(QIODevice::WriteOnly));
    body.write("x");
    body.close();
    QFile qrc(QDir(work.path()).filePath(QStringLiteral("p.qrc")));
    ASSERT_TRUE(qrc.open(QIODevice::WriteOnly));
    qrc.write("<RCC><qresource prefix=\"/\"><file alias=\"RCDATA/X\">x.txt</file></qresource></RCC>");
    qrc.close();
    const QString rcc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/rcc");
    ASSERT_EQ(
        QProcess::execute(rcc, {QStringLiteral("--binary"), qrc.fileName(), QStringLiteral("-o"), path}), 0);
}

class OptionsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        settings_ = DefaultSettings();
        settings_.SoundOn = false;
        // An empty program folder inside a game folder: no package anywhere.
        const QDir r(root_.path());
        r.mkpath(QStringLiteral("game/program"));
        program_ = r.filePath(QStringLiteral("game/program"));
        parent_ = r.filePath(QStringLiteral("game"));
        resources_.packages.SetFolders({program_, program_});
    }

    std::unique_ptr<TFormOptions> Open(QSize screen = QSize(1920, 1080)) {
        auto dialog = std::make_unique<TFormOptions>(settings_, hooks_, resources_, nullptr, screen);
        dialog->SetProgramFolder(program_);
        dialog->RefreshDownloadButtons();
        return dialog;
    }

    QTemporaryDir root_;
    QString program_, parent_;
    Settings settings_;
    RecordingHooks hooks_;
    WindowResources resources_;
};

TEST(OfferedWindowSizes, TheScreenDecidesFromTheEnd) {
    const struct {
        QSize screen;
        int sizes;
    } cases[] = {
        {{800, 600}, 2},  {{990, 669}, 2},   {{990, 670}, 3},   {{1280, 1024}, 3},
        {{1290, 870}, 4}, {{1519, 1200}, 4}, {{1520, 1020}, 5}, {{2560, 1440}, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OfferedWindowSizes(c.screen), c.sizes) << c.screen.width() << "x" << c.screen.height();
}

TEST_F(OptionsDialogTest, A1280x1024ScreenOffersThreeSizes) {
    auto dialog = Open(QSize(1280, 1024));
    ASSERT_EQ(dialog->General().windowSizeList->count(), 3);
    EXPECT_EQ(dialog->General().windowSizeList->itemText(2), QStringLiteral("Average window 1"));
}

TEST_F(OptionsDialogTest, FamilyBacksTakeRandomOnlyAndOtherBacksGiveItBack) {
    WritePackage(QDir(program_).filePath(CardsPackageB));
    auto dialog = Open();
    dialog->Backs().backList->setCurrentIndex(9);
    EXPECT_EQ(settings_.CardBack, 9);
    EXPECT_TRUE(dialog->Backs().backModes[2]->isChecked());
    EXPECT_FALSE(dialog->Backs().backModes[0]->isEnabled());
    EXPECT_FALSE(dialog->Backs().backModes[1]->isEnabled());
    EXPECT_TRUE(dialog->Backs().backModes[2]->isEnabled());
    dialog->Backs().backList->setCurrentIndex(3);
    EXPECT_EQ(settings_.CardBack, 3);
    EXPECT_TRUE(dialog->Backs().backModes[0]->isChecked());
    EXPECT_FALSE(settings_.OneBack);
    EXPECT_FALSE(dialog->Backs().backModes[2]->isEnabled());
}

TEST_F(OptionsDialogTest, UnavailableChoicesFallBackAndTheListsFollow) {
    auto dialog = Open();
    for (int faceSet : {5, 33, 47}) {
        dialog->Faces().faceSetList->setCurrentIndex(faceSet);
        EXPECT_EQ(settings_.CardFaces, 0) << faceSet;
        EXPECT_EQ(dialog->Faces().faceSetList->currentIndex(), 0) << faceSet;
    }
    dialog->Backs().backList->setCurrentIndex(9);
    EXPECT_EQ(settings_.CardBack, 0);
    EXPECT_EQ(dialog->Backs().backList->currentIndex(), 0);
}

// Opening the dialog checks the chosen sets for the window size at once, without a new layout.
TEST_F(OptionsDialogTest, OpeningChecksTheSetsForTheWindowSize) {
    settings_.WindowSize = 3;
    settings_.CardFaces = 33; // its package is missing
    settings_.CardBack = 9;
    settings_.SaveGif = true;
    auto dialog = Open();
    EXPECT_EQ(settings_.CardFaces, 0);
    EXPECT_EQ(settings_.CardBack, 0);
    EXPECT_EQ(dialog->Faces().faceSetList->currentIndex(), 0);
    EXPECT_FALSE(settings_.SaveGif);
    EXPECT_EQ(hooks_.sizeChanges, 0);
}

TEST_F(OptionsDialogTest, DefaultFontsShowForTheChosenRole) {
    settings_.FontSpecial2 = "DejaVu Sans";
    settings_.ScaleSpecial2 = 130;
    auto dialog = Open();
    dialog->Fonts().roleList->setCurrentIndex(3);
    EXPECT_EQ(dialog->Fonts().scaleSpin->value(), 130);
    dialog->Fonts().defaultsButton->click();
    EXPECT_EQ(dialog->Fonts().familyList->currentText(), QStringLiteral("Courier New"));
    EXPECT_EQ(dialog->Fonts().scaleSpin->value(), 100);
    EXPECT_EQ(settings_.FontLarge, "Comic Sans MS");
    EXPECT_EQ(settings_.FontSpecial1, "FixedSys");
    EXPECT_EQ(settings_.ScaleSpecial2, 100);
    EXPECT_GE(hooks_.fontChanges, 1);
}

TEST_F(OptionsDialogTest, ScalesOutsideTheRangeAreIgnored) {
    auto dialog = Open();
    dialog->Fonts().roleList->setCurrentIndex(1);
    const struct {
        int typed;
        int kept;
    } cases[] = {{120, 120}, {49, 120}, {151, 120}, {50, 50}, {150, 150}};
    for (const auto& c : cases) {
        dialog->Fonts().scaleSpin->setValue(c.typed);
        EXPECT_EQ(settings_.ScaleSmall, c.kept) << c.typed;
    }
}

TEST_F(OptionsDialogTest, GifRecordingOnlyAtTheSmallestWindow) {
    for (const int size : {1, 2, 3}) {
        settings_.WindowSize = size;
        auto dialog = Open();
        dialog->pages->setCurrentIndex(6);
        EXPECT_EQ(dialog->SaveGames().saveGifBox->isEnabled(), size == 1) << size;
    }
    settings_.WindowSize = 1;
    settings_.SaveGif = true;
    auto dialog = Open();
    dialog->General().windowSizeList->setCurrentIndex(2);
    EXPECT_EQ(settings_.WindowSize, 3);
    EXPECT_FALSE(settings_.SaveGif);
    EXPECT_FALSE(dialog->SaveGames().saveGifBox->isEnabled());
    EXPECT_EQ(hooks_.sizeChanges, 1);
}

TEST_F(OptionsDialogTest, LanguageSwitchReCaptionsTheOpenDialog) {
    auto dialog = Open();
    EXPECT_EQ(dialog->pages->tabText(0), QStringLiteral("General"));
    dialog->General().languageList->setCurrentIndex(1);
    EXPECT_EQ(settings_.Language, 1);
    EXPECT_EQ(hooks_.languageChanges, 1);
    EXPECT_EQ(dialog->pages->tabText(0), QStringLiteral("Общие"));
    EXPECT_EQ(dialog->pages->tabText(7), QStringLiteral("DLL"));
    EXPECT_NE(dialog->General().soundBox->text(), QStringLiteral("Sound"));
}

// The passport opens over the dialog and writes the passport settings at once.
TEST_F(OptionsDialogTest, PassportButtonOpensThePassport) {
    auto dialog = Open();
    ASSERT_TRUE(dialog->General().passportButton->isEnabled());
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        auto* passport = dynamic_cast<TFormPassport*>(QApplication::activeModalWidget());
        if (!passport) return;
        opened = true;
        passport->EditNick->setText(QStringLiteral("Ivan_77"));
        passport->EditCity->setText(QStringLiteral("Omsk"));
        passport->accept();
        passport->hide(); // ends the window even if it refused to close
    });
    QTest::mouseClick(dialog->General().passportButton, Qt::LeftButton);
    EXPECT_TRUE(opened);
    EXPECT_EQ(settings_.TopTenNick, "Ivan_77");
    EXPECT_EQ(settings_.TopTenCity, "Omsk");
}

TEST_F(OptionsDialogTest, DownloadButtonsFollowThePackages) {
    const QByteArray body(5000, 'p');
    test::TinyWebServer server("/downloads/progr/cards/QobCards06A.dll", body);
    auto dialog = Open();
    dialog->SetWebServer(server.Address());
    auto buttonsOf = [&](int package) {
        std::vector<TQobCardsButton*> found;
        for (const auto& b : dialog->DownloadButtons())
            if (b.package == package) found.push_back(b.button);
        return found;
    };
    ASSERT_EQ(buttonsOf(0).size(), 2u);
    for (auto* button : buttonsOf(0)) EXPECT_TRUE(button->isEnabled());

    // A package the server lacks: nothing is left behind and the buttons stay on.
    EXPECT_FALSE(dialog->Download(3));
    EXPECT_EQ(QDir(parent_).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(buttonsOf(3).front()->isEnabled());

    EXPECT_TRUE(dialog->Download(0));
    QFile file(QDir(parent_).filePath(CardsPackageA));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), body);
    for (auto* button : buttonsOf(0)) EXPECT_FALSE(button->isEnabled());
    for (auto* button : buttonsOf(1)) EXPECT_TRUE(button->isEnabled());
}

TEST_F(OptionsDialogTest, PackagesInstalledWithTheGameNeedNoDownload) {
    const QString shipped = QDir(root_.path()).filePath(QStringLiteral("shipped"));
    QDir().mkpath(shipped);
    WritePackage(QDir(shipped).filePath(BackgroundPackage));
    resources_.packages.SetFolders({program_, shipped});
    auto dialog = Open();
    for (const auto& b : dialog->DownloadButtons())
        EXPECT_EQ(b.button->isEnabled(), b.package != 2) << b.package;
}

TEST_F(OptionsDialogTest, NoServerIsAFailedDownload) {
    auto dialog = Open();
    dialog->SetWebServer(QStringLiteral("http://127.0.0.1:1"));
    EXPECT_FALSE(dialog->Download(8));
    EXPECT_EQ(QDir(parent_).entryList(QDir::Files), QStringList());
}

TEST_F(OptionsDialogTest, RadioListSourceIsChosenAndTheRadioLooksAgain) {
    settings_.RadioListFromServer = true;
    auto dialog = Open();
    EXPECT_EQ(hooks_.radioChecks, 0); // showing the setting is no choice
    ASSERT_TRUE(dialog->Packages().radioListSources[0]->isChecked());
    dialog->Packages().radioListSources[1]->click();
    EXPECT_FALSE(settings_.RadioListFromServer);
    EXPECT_EQ(hooks_.radioChecks, 1);
    dialog->Packages().radioListSources[0]->click();
    EXPECT_TRUE(settings_.RadioListFromServer);
    EXPECT_EQ(hooks_.radioChecks, 2);
}

TEST_F(OptionsDialogTest, TheLastTabIsRememberedForTheRun) {
    {
        auto dialog = Open();
        dialog->pages->setCurrentIndex(4);
        dialog->accept();
    }
    EXPECT_EQ(RememberedOptionsTab(), 4);
    auto dialog = Open();
    EXPECT_EQ(dialog->pages->currentIndex(), 4);
    dialog->pages->setCurrentIndex(0);
    dialog->reject();
    EXPECT_EQ(RememberedOptionsTab(), 0);
}

// Nine tabs side by side: in every language the last one ends inside the bar, none cut off.
TEST_F(OptionsDialogTest, EveryLanguagesTabsFitTheBar) {
    for (int language = 0; language < kLanguageCount; ++language) {
        settings_.Language = language;
        auto dialog = Open();
        dialog->show();
        QApplication::processEvents();
        const QTabBar* bar = dialog->pages->tabBar();
        const QRect last = bar->tabRect(bar->count() - 1);
        EXPECT_LE(bar->mapTo(dialog->pages, last.topRight()).x(), dialog->pages->width())
            << "language " << language << ": tabs " << bar->sizeHint().width() << " wide";
    }
}

// Pictures of every tab for looking at: set OPTIONS_SHOTS to a folder.
TEST_F(OptionsDialogTest, TabPictures) {
    const QString folder = qEnvironmentVariable("OPTIONS_SHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "OPTIONS_SHOTS not set";
    resources_.packages.SetFolders(DefaultPackageFolders());
    for (const int language : {0, 1, 2, 8}) {
        settings_.Language = language;
        auto dialog = Open();
        dialog->show();
        for (int tab = 0; tab < dialog->pages->count(); ++tab) {
            dialog->pages->setCurrentIndex(tab);
            QApplication::processEvents();
            dialog->grab().save(QStringLiteral("%1/options-%2-%3.png").arg(folder).arg(language).arg(tab));
        }
    }
    // The other window designs, on the first tab.
    settings_.Language = 0;
    for (const int design : {2, 3, 4}) {
        SetWindowDesign(settings_, design);
        auto dialog = Open();
        dialog->pages->setCurrentIndex(0);
        dialog->show();
        QApplication::processEvents();
        dialog->grab().save(QStringLiteral("%1/options-design-%2.png").arg(folder).arg(design));
    }
}

} // namespace
} // namespace tarvo

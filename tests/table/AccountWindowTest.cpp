// The passport, the account window and the account details window, offscreen, against a real
// tarvo3-server; the fields of every online window kept to Windows-1251; and the wait of a
// request, which keeps the event loop turning.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "../support/ServerProcess.h"
#include "../support/TestApplication.h"
#include "../support/Typing.h"
#include "online/CurlTransport.h"
#include "settings/Settings.h"
#include "table/AccountWindow.h"
#include "table/CardsButton.h"
#include "table/ChatWindow.h"
#include "table/Cp1251Field.h"
#include "table/OnlineWait.h"
#include "table/PassportWindow.h"
#include "table/StatisticsWindow.h"

namespace tarvo {
namespace {

QString WriteJpeg(const test::TempFolder& folder, const std::string& name, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 80, 40));
    const QString path = QString::fromStdString((folder / name).string());
    image.save(path, "JPEG", 90);
    return path;
}

void SetText(QLineEdit* edit, const QString& text) {
    edit->clear();
    test::Type(edit, text);
}

TEST(Passport, GradesLampsAndTheSettingsAtOnce) {
    test::TestApplication();
    Settings settings = InitialSettings();
    TFormPassport form(settings, {});
    const std::tuple<QString, Grade, std::string> nicks[] = {
        {"Ivan_77", Grade::Green, "Ivan_77"},
        {"Иван", Grade::Yellow, "Иван"}, // Cyrillic is accepted in the passport
        {"I", Grade::Red, "Иван"},       // red: the setting keeps the last valid nick
    };
    for (const auto& [text, grade, stored] : nicks) {
        SetText(form.EditNick, text);
        EXPECT_EQ(form.LampNick->Shown(), grade) << text.toStdString();
        EXPECT_EQ(settings.TopTenNick, stored);
    }
    EXPECT_FALSE(form.MayClose());
    SetText(form.EditNick, "Bob$ 7"); // "$" and the blank are refused as typed
    EXPECT_EQ(form.EditNick->text(), "Bob7");
    SetText(form.EditCity, "Омск");
    EXPECT_EQ(form.LampCity->Shown(), Grade::Yellow);
    EXPECT_EQ(settings.TopTenCity, "Омск");
    EXPECT_TRUE(form.MayClose());

    form.ComboContinent->setCurrentIndex(1); // Asia: its country 000 first
    EXPECT_EQ(settings.TopTenCountry, "2-000");
    EXPECT_EQ(form.ComboCountry->count(), 52);
    form.ComboCountry->setCurrentIndex(10);
    EXPECT_EQ(settings.TopTenCountry, "2-010");
    EXPECT_EQ(form.ComboCountry->currentText(), "China");
    form.ComboSex->setCurrentIndex(1);
    EXPECT_EQ(settings.TopTenSex, "W");
}

class AccountWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        server = std::make_unique<test::ServerProcess>(TARVO_SERVER);
        client = std::make_unique<ScoreClient>(transport, AddressesOn(server->Origin()));
        account = std::make_unique<Account>(*client);
        hooks.userFile = shared / kUserFileName;
        hooks.message = [this](const QString& text) { messages << text; };
        hooks.today = [] { return std::string("11.12.2026"); };
    }
    void Fill(TFormAccount& form, const QString& nick, const QString& password) {
        SetText(form.EditNick, nick);
        SetText(form.EditPassword, password);
        SetText(form.EditCity, "Омск");
        SetText(form.EditEMail, "anna@mail.ru");
    }

    std::unique_ptr<test::ServerProcess> server;
    WaitingTransport transport;
    std::unique_ptr<ScoreClient> client;
    std::unique_ptr<Account> account;
    test::TempFolder shared;
    AccountWindowHooks hooks;
    QStringList messages;
};

TEST_F(AccountWindowTest, FieldsDecideTheButtons) {
    TFormAccount form(*account, {}, hooks);
    EXPECT_EQ(form.ImageStar->pixmap().toImage(), StarPicture(AccountState::SignedOut).toImage());
    Fill(form, "Anna", "abc");
    EXPECT_EQ(form.LampPassword->Shown(), Grade::Red);
    EXPECT_FALSE(form.ButtonCreate->isEnabled()); // a password of three characters
    EXPECT_FALSE(form.ButtonLogin->isEnabled());
    SetText(form.EditPassword, "abcd");
    EXPECT_TRUE(form.ButtonCreate->isEnabled());
    EXPECT_TRUE(form.ButtonLogin->isEnabled());
    SetText(form.EditEMail, "anna@");
    EXPECT_EQ(form.LampEMail->Shown(), Grade::Red);
    EXPECT_FALSE(form.ButtonCreate->isEnabled());
    EXPECT_TRUE(form.ButtonLogin->isEnabled());
    SetText(form.EditNick, "Анна"); // Cyrillic keys do not go into an account nick
    EXPECT_EQ(form.EditNick->text(), "");
    EXPECT_EQ(form.LampNick->Shown(), Grade::Red);
    EXPECT_FALSE(form.ButtonSave->isEnabled());
    EXPECT_FALSE(form.ButtonDelete->isEnabled());
}

// A letter Windows-1251 cannot hold would reach the settings file or the server as "?" (a password
// that never matches again): every field whose text goes there refuses it as it is typed and
// says, in the player's language, which letters can be used.
TEST_F(AccountWindowTest, EveryOnlineFieldRefusesWhatWindows1251CannotHold) {
    RecordsWindowOptions german;
    german.language = 2;
    Settings settings = InitialSettings();
    TFormPassport passport(settings, german);
    TFormAccount accountWindow(*account, german, hooks);
    TFormAccountInfo details(*account, german, hooks);
    TFormChat chat(*client, settings, shared / kChatFileName, german, {});
    const auto nickBox = NickBox(german.language);
    for (QWidget* window : std::initializer_list<QWidget*>{&passport, &accountWindow, &details, &chat, nickBox.get()})
        window->show();
    const struct {
        const char* what;
        QLineEdit* field;
        bool cyrillic; // whether the field's own rule takes Cyrillic
    } fields[] = {
        {"passport nick", passport.EditNick, true},
        {"passport city", passport.EditCity, true},
        {"account nick", accountWindow.EditNick, false},
        {"account password", accountWindow.EditPassword, false},
        {"account city", accountWindow.EditCity, true},
        {"account e-mail", accountWindow.EditEMail, false},
        {"details, first", details.Edits.front(), true},
        {"details, last", details.Edits.back(), true},
        {"chat message", chat.EditMessage, true},
        {"statistics nick box", nickBox->findChild<QLineEdit*>(), true},
    };
    for (const auto& f : fields) {
        ASSERT_TRUE(f.field) << f.what;
        const auto* validator = qobject_cast<const Cp1251Validator*>(f.field->validator());
        ASSERT_TRUE(validator) << f.what;
        int refused = 0;
        const auto counting = QObject::connect(validator, &Cp1251Validator::refused, [&refused] { ++refused; });
        SetText(f.field, "Jürgen");
        EXPECT_EQ(f.field->text(), "Jrgen") << f.what;
        EXPECT_EQ(refused, 1) << f.what;
        EXPECT_TRUE(QToolTip::isVisible()) << f.what;
        EXPECT_TRUE(QToolTip::text().contains("Umlaute")) << f.what << ": the hint speaks German";
        SetText(f.field, "Иван");
        EXPECT_EQ(f.field->text(), f.cyrillic ? "Иван" : "") << f.what;
        EXPECT_EQ(refused, 1) << f.what << ": Windows-1251 holds Cyrillic";
        QObject::disconnect(counting);
    }
}

TEST_F(AccountWindowTest, CreateSaveSignOutAndSignInAgain) {
    {
        TFormAccount form(*account, {}, hooks);
        Fill(form, "Anna", "secret1");
        form.ComboContinent->setCurrentIndex(0);
        form.ComboCountry->setCurrentIndex(10);
        EXPECT_EQ(form.EditShortName->text(), "Czech_Republic");
        QTest::mouseClick(form.ButtonCreate, Qt::LeftButton);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages.back(), "Your account has been successfully created!");
        EXPECT_EQ(account->state, AccountState::SignedIn);
        EXPECT_EQ(account->holder.Country2, "1-010");
        EXPECT_EQ(account->holder.Country1, "Czech_Republic");
        EXPECT_EQ(form.EditDate->text(), "11.12.2026");
        EXPECT_EQ(form.ButtonLogin->text(), "Sign out");
        EXPECT_EQ(form.LampState->Shown(), Grade::Yellow);
        EXPECT_EQ(form.LabelMembers->text(), "Club members: 1");
        form.CheckRated->setChecked(true);
        EXPECT_EQ(account->state, AccountState::Rated);
        EXPECT_EQ(form.LampState->Shown(), Grade::Green);

        EXPECT_TRUE(form.ButtonSave->isEnabled());
        QTest::mouseClick(form.ButtonSave, Qt::LeftButton);
        EXPECT_TRUE(std::filesystem::exists(hooks.userFile));
        EXPECT_FALSE(form.ButtonSave->isEnabled());
        EXPECT_TRUE(form.ButtonDelete->isEnabled());

        QTest::mouseClick(form.ButtonLogin, Qt::LeftButton); // sign out
        EXPECT_EQ(account->state, AccountState::SignedOut);
        EXPECT_EQ(form.ButtonLogin->text(), "Login to account");
        SetText(form.EditPassword, "secret2");
        QTest::mouseClick(form.ButtonLogin, Qt::LeftButton);
        EXPECT_EQ(messages.back(), "Login failed!");
        EXPECT_EQ(account->state, AccountState::SignedOut);

        Fill(form, "anna", "secret1"); // the same nick in other letters
        QTest::mouseClick(form.ButtonCreate, Qt::LeftButton);
        EXPECT_EQ(messages.back(), "The club already has a player with the same Nick!");
        EXPECT_EQ(form.EditDate->text(), "00.00.0000");
    }
    // A restart: the saved sign-in signs in again.
    Account restarted(*client);
    EXPECT_TRUE(restarted.AutoSignIn(hooks.userFile));
    EXPECT_EQ(restarted.holder.City, "Омск");
    TFormAccount form(restarted, {}, hooks);
    QTest::mouseClick(form.ButtonDelete, Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(hooks.userFile));
    EXPECT_TRUE(form.ButtonSave->isEnabled());
}

TEST_F(AccountWindowTest, ResultsTopTenAndNoConnect) {
    ASSERT_TRUE(account->Create(
                    [] {
                        TQobUser u;
                        u.Nick = "Anna";
                        u.Pw = "secret1";
                        u.City = "Rome";
                        u.Country2 = "1-024";
                        u.Country1 = "Italy";
                        u.Sex = "W";
                        u.EMail = "a@b.it";
                        return u;
                    }(),
                    false, "1.1.2026") == RegisterResult::Created);
    TQobGame g;
    g.Kon = 3;
    g.Rating = 12.5;
    g.Best = 80;
    ASSERT_TRUE(client->SaveGame("Anna", "secret1", g));
    account->ReadForWindow();
    {
        TFormAccount form(*account, {}, hooks);
        EXPECT_EQ(form.Results[1]->text(), "Anna");
        EXPECT_EQ(form.Results[2]->text(), "12,500");
        EXPECT_EQ(form.Results[3]->text(), "1");
        EXPECT_EQ(form.Results[5]->text(), "80");
        EXPECT_TRUE(form.ResultsNoConnect->isHidden());
        ASSERT_NE(form.TopList->item(0, 1), nullptr);
        EXPECT_EQ(form.TopList->item(0, 1)->text(), "Anna");
        EXPECT_EQ(form.TopList->item(0, 4)->text(), "Rome");
        EXPECT_EQ(form.TopList->item(0, 5)->text(), "12,500");
        EXPECT_FALSE(form.TopList->item(0, 2)->icon().isNull()); // the Italian flag
        EXPECT_EQ(form.PresidentName->text(), "Anna");
        EXPECT_TRUE(form.TopNoConnect->isHidden());
    }
    server->Stop();
    account->ReadForWindow();
    TFormAccount form(*account, {}, hooks);
    EXPECT_FALSE(form.TopNoConnect->isHidden());
    EXPECT_FALSE(form.ResultsNoConnect->isHidden());
    EXPECT_EQ(form.TopList->item(0, 1)->text(), "Anna"); // a failed read keeps what was there
}

TEST_F(AccountWindowTest, DetailsAndPhoto) {
    TQobUser u;
    u.Nick = "Anna";
    u.Pw = "secret1";
    u.City = "Rome";
    u.Country2 = "1-024";
    u.Country1 = "Italy";
    u.EMail = "a@b.it";
    ASSERT_EQ(account->Create(u, false, "1.1.2026"), RegisterResult::Created);
    TFormAccountInfo info(*account, {}, hooks);
    EXPECT_FALSE(info.ButtonUpdate->isEnabled());
    EXPECT_FALSE(info.ButtonPhoto->isEnabled());
    test::Type(info.Edits[2], "I pay $5 & 10 = ~");
    EXPECT_EQ(info.Edits[2]->text(), "I pay $5  10  ~"); // "&" and "=" are refused as typed
    EXPECT_TRUE(info.ButtonUpdate->isEnabled());
    QTest::mouseClick(info.ButtonUpdate, Qt::LeftButton);
    EXPECT_FALSE(info.ButtonUpdate->isEnabled());
    ASSERT_TRUE(account->holderDetails);
    EXPECT_EQ(account->holderDetails->About, "I pay  5  10   ");

    test::TempFolder pictures;
    QString chosen = WriteJpeg(pictures, "wrong.jpg", QSize(200, 251));
    hooks.choosePicture = [&] { return chosen; };
    TFormAccountInfo photo(*account, {}, hooks);
    photo.ChoosePhoto();
    EXPECT_EQ(messages.back(), "The photo must be in jpg format 200x250 pixels in size!");
    EXPECT_FALSE(photo.ButtonPhoto->isEnabled()); // refused before anything was sent
    chosen = WriteJpeg(pictures, "right.jpg", QSize(200, 250));
    photo.ChoosePhoto();
    EXPECT_TRUE(photo.ButtonPhoto->isEnabled());
    QTest::mouseClick(photo.ButtonPhoto, Qt::LeftButton);
    EXPECT_FALSE(photo.ButtonPhoto->isEnabled());
    EXPECT_FALSE(account->holderPhoto.empty());
    EXPECT_EQ(client->ReadPhoto("Anna").value, account->holderPhoto);
}

// A server that answers only after a while, so that the wait can be watched.
TEST(OnlineWait, TheLoopTurnsAndInputIsDropped) {
    test::TestApplication();
    QTcpServer slow;
    ASSERT_TRUE(slow.listen(QHostAddress::LocalHost));
    QObject::connect(&slow, &QTcpServer::newConnection, [&slow] {
        QTcpSocket* socket = slow.nextPendingConnection();
        QTimer::singleShot(400, socket, [socket] {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 4\r\nConnection: close\r\n\r\n$12\n");
            socket->disconnectFromHost();
        });
    });
    QLineEdit field;
    field.show();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        if (ticks == 2) QTest::keyClick(&field, Qt::Key_A); // a key pressed during the wait
    });
    timer.start(20);
    WaitingTransport transport;
    ScoreClient client(transport, AddressesOn("http://127.0.0.1:" + std::to_string(slow.serverPort())));
    auto count = client.MemberCount();
    EXPECT_TRUE(count.ok);
    EXPECT_EQ(count.value, 12);
    EXPECT_GE(ticks, 5); // the event loop turned while the request waited
    EXPECT_EQ(field.text(), "");
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), "a");
}

} // namespace
} // namespace tarvo

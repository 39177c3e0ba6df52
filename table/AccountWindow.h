// The account window (five tabs: the account, its results, the club top ten, the holder's details
// and photo, the club's president) and the account details window. Both show and change the
// `Account`; every request goes through it.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <array>
#include <filesystem>
#include <functional>

#include "table/AccountParts.h"
#include "table/RecordsWindows.h"

namespace tarvo {

class TQobCardsButton;

// What the account windows need from the program around them.
struct AccountWindowHooks {
    std::filesystem::path userFile;                   // "QobUser.qob"
    std::function<void(const QString& text)> message; // the program's message window
    std::function<QString()> choosePicture;           // a picture chooser; empty when cancelled
    std::function<std::string()> today;               // the registration date
};

// The date an account is registered on: the local short format when it fits the ten characters
// of the record, else "dd.MM.yyyy".
std::string RegistrationDate();

// A photo file as the photo store takes it: a JPEG of exactly 200 x 250 pixels. The bytes to send
// (the file itself, or the picture stored again more compactly when the file is larger than a
// request may be); nothing when the file is no such photo.
std::optional<std::string> LoadAccountPhoto(const QString& file);

// The photo in its frame, 240 x 290: the photo (or the empty silhouette) at (20, 20) under
// "GAcFrame".
QPixmap FramedPhoto(const std::string& jpeg);

class TFormAccount : public QDialog {
  public:
    TFormAccount(Account& account, const RecordsWindowOptions& options, AccountWindowHooks hooks,
                 QWidget* parent = nullptr);

    // Shows everything the account holds now.
    void Redraw();

    QTabWidget* PageControl = nullptr;
    // "My account"
    QLabel* ImageStar = nullptr;
    GradeLamp* LampState = nullptr;
    QLineEdit *EditNick = nullptr, *EditPassword = nullptr, *EditCity = nullptr, *EditEMail = nullptr;
    QLineEdit *EditShortName = nullptr, *EditDate = nullptr;
    GradeLamp *LampNick = nullptr, *LampPassword = nullptr, *LampCity = nullptr, *LampEMail = nullptr;
    QComboBox *ComboContinent = nullptr, *ComboCountry = nullptr, *ComboSex = nullptr;
    QCheckBox *CheckHide = nullptr, *CheckRated = nullptr;
    TQobCardsButton *ButtonCreate = nullptr, *ButtonLogin = nullptr, *ButtonSave = nullptr,
                    *ButtonDelete = nullptr;
    QLabel* LabelMembers = nullptr;
    // "My results": Game, Player, Rating, Place, Played games, My best score, Played cycles,
    // Current Deal, Current Score.
    std::array<QLabel*, 9> Results{};
    QLabel* ResultsNoConnect = nullptr;
    TQobCardsButton* ButtonResults = nullptr;
    // "Top 10"
    QTableWidget* TopList = nullptr;
    QLabel* TopNoConnect = nullptr;
    TQobCardsButton* ButtonTop = nullptr;
    // "About me"
    QLabel* HolderPhoto = nullptr;
    QListWidget* HolderDetails = nullptr;
    TQobCardsButton* ButtonAbout = nullptr;
    // "President"
    QLabel* PresidentName = nullptr;
    QLabel* PresidentPhoto = nullptr;
    QListWidget* PresidentContacts = nullptr;
    QLabel* Copied = nullptr;
    TQobCardsButton* Button1 = nullptr; // "Ok"

    // The buttons' actions, as the clicks run them.
    void CreateAccount();
    void LoginOrSignOut();
    void SaveUserFile();
    void DeleteUserFile();

  private:
    QWidget* AccountTab();
    QWidget* ResultsTab();
    QWidget* TopTab();
    QWidget* AboutTab();
    QWidget* PresidentTab();
    void GradeFields();
    void FillDetails(QListWidget* list, const std::optional<TInfo14>& details) const;
    TQobCardsButton* MakeButton(const QString& text);

    Account& account_;
    RecordsWindowOptions options_;
    AccountWindowHooks hooks_;
    CountryLists* countries_ = nullptr;
    bool showing_ = false; // Redraw fills the fields: their signals change nothing
};

class TFormAccountInfo : public QDialog {
  public:
    TFormAccountInfo(Account& account, const RecordsWindowOptions& options, AccountWindowHooks hooks,
                     QWidget* parent = nullptr);

    std::array<QLineEdit*, TInfo14::kCount> Edits{};
    QPushButton* Photo = nullptr; // the frame: a click chooses a picture
    TQobCardsButton *ButtonPhoto = nullptr, *ButtonUpdate = nullptr, *ButtonClose = nullptr;

    void ChoosePhoto();
    void UploadPhoto();
    void UpdateInfo();

  private:
    void ShowDetails();
    Account& account_;
    RecordsWindowOptions options_;
    AccountWindowHooks hooks_;
    QString chosen_;
};

// The account window, modal, after reading what it shows. True when the account state or the
// holder's nick changed, so that the caller redraws what shows them.
bool ShowAccountWindow(Account& account, const RecordsWindowOptions& options, const AccountWindowHooks& hooks,
                       QWidget* parent = nullptr);

} // namespace tarvo

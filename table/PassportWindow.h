// The passport: the nick, country, city and sex under which the player appears in the world top
// ten, the chat and the vote, kept in the settings. Every valid change is written into the
// settings at once; the window closes only when nick and city are at least yellow.
#pragma once

#include <QDialog>

#include "table/AccountParts.h"
#include "table/RecordsWindows.h"

namespace tarvo {

struct Settings;
class TQobCardsButton;

class TFormPassport : public QDialog {
  public:
    TFormPassport(Settings& settings, const RecordsWindowOptions& options, QWidget* parent = nullptr);

    QLineEdit* EditNick = nullptr;
    QLineEdit* EditCity = nullptr;
    GradeLamp* LampNick = nullptr;
    GradeLamp* LampCity = nullptr;
    QComboBox* ComboContinent = nullptr;
    QComboBox* ComboCountry = nullptr;
    QComboBox* ComboSex = nullptr;
    TQobCardsButton* Button1 = nullptr; // "Ok"

    // Whether the window may close now (focus goes to the first red field when not).
    bool MayClose();
    void done(int result) override; // "Ok", Esc and the close box alike

  private:
    void Grade();

    Settings& settings_;
    RecordsWindowOptions options_;
};

// Opens the passport modally over `parent`.
void ShowPassport(Settings& settings, const RecordsWindowOptions& options, QWidget* parent = nullptr);

} // namespace tarvo

// The welcome dialog of local play: a new player names himself and chooses a password, a club
// member gives his password.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <functional>
#include <optional>

#include "records/Series.h"

namespace tarvo {

struct WelcomeTexts {
    QString caption = "Welcome!", name = "Enter Your name:", password = "Enter Your password:";
    QString again = "And once again for check...", ok = "Ok", cancel = "Cancel";
    QString incorrectName = "Incorrect name!", differ = "The passwords do not coincide!";
    QString incorrectPassword = "The incorrect password!";
    int language = 0; // of the hint that names the letters a name or password may have
};

// What the checks decided for the entered values; empty message means accepted.
struct WelcomeCheck {
    QString message;
    QLineEdit* focus = nullptr;
};

class WelcomeDialog : public QDialog {
  public:
    // slot 1..5: a club member (name shown, only the password asked); 6: a new player whose
    // name field starts with the last name entered, else "Mr.X".
    WelcomeDialog(int slot, std::optional<SeriesValues> member, const QString& lastName,
                  const WelcomeTexts& texts, std::function<void(const QString&)> showMessage,
                  QWidget* parent = nullptr);

    QLineEdit* NameField() const { return name_; }
    QLineEdit* PasswordField() const { return password_; }
    QLineEdit* AgainField() const { return again_; }
    // Runs the checks of "Ok" in their order; on success the series values are ready.
    bool Accept();
    const SeriesValues& Values() const { return values_; }
    // The last name that passed the name check, even when a password check failed after it
    // (the next dialog starts with it); empty when none did.
    const QString& EnteredName() const { return enteredName_; }

  private:
    int slot_;
    std::optional<SeriesValues> member_;
    WelcomeTexts texts_;
    std::function<void(const QString&)> showMessage_;
    QLineEdit *name_, *password_, *again_;
    SeriesValues values_;
    QString enteredName_;
};

} // namespace tarvo

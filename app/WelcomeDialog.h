// The welcome dialog: a new player names himself and chooses a password, a club member gives his
// password; in network mode the player also chooses to be the server or a client.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
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

// The network half of the dialog, in network mode.
struct WelcomeNetTexts {
    QString group = "Server / Client", server = "Server create the game", client = "Client enters to game";
    QString ip = "Enter IP of server:", port = "Enter Port of server:",
            addresses = "To receive the IP-addresses";
    QString games = "Number games:", help = "Help";
    QString incorrectIp = "Incorrect IP-address!", incorrectPort = "Incorrect Port!";
};

// What the player chose on "Ok".
struct NetChoice {
    bool server = true;
    QString ip; // the server's address (client)
    int port = 0;
    QString name; // the player's name, as the others will see its first six characters
};

struct WelcomeNetwork {
    WelcomeNetTexts texts;
    QString netIp, netPort; // the settings NetIP and NetPort
    // Listens or connects and waits in the wait window: true once the series can start. What went
    // wrong has been told to the player; the dialog stays open.
    std::function<bool(const NetChoice&)> start;
    std::function<void()> showAddresses; // "To receive the IP-addresses"
    std::function<void()> help;
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
    // Network mode: the dialog grows by the server / client choice, the server's address and
    // port, and the number of games; names keep six characters.
    void EnableNetwork(WelcomeNetwork network);
    QRadioButton* ServerChoice() const { return serverChoice_; }
    QRadioButton* ClientChoice() const { return clientChoice_; }
    QLineEdit* IpField() const { return ip_; }
    QLineEdit* PortField() const { return port_; }
    QLineEdit* GamesField() const { return games_; }
    // NetIP and NetPort as the typing left them.
    const QString& NetIp() const { return net_.netIp; }
    const QString& NetPort() const { return net_.netPort; }

    // Runs the checks of "Ok" in their order; on success the series values are ready (and, in
    // network mode, the series can start).
    bool Accept();
    const SeriesValues& Values() const { return values_; }
    // The last name that passed the name check, even when a password check failed after it
    // (the next dialog starts with it); empty when none did.
    const QString& EnteredName() const { return enteredName_; }

  private:
    bool NewPlayer() const { return !(slot_ >= 1 && slot_ <= 5 && member_); }
    void ChooseSide(bool server);

    int slot_;
    QString lastName_;
    bool network_ = false;
    WelcomeNetwork net_;
    QRadioButton *serverChoice_ = nullptr, *clientChoice_ = nullptr;
    QLineEdit *ip_ = nullptr, *port_ = nullptr, *games_ = nullptr;
    std::optional<SeriesValues> member_;
    WelcomeTexts texts_;
    std::function<void(const QString&)> showMessage_;
    QLineEdit *name_, *password_, *again_;
    SeriesValues values_;
    QString enteredName_;
};

} // namespace tarvo

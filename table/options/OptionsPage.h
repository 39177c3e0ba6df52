// What every tab of the options dialog shares: the settings it edits in place, the main window's
// hooks, its captions in the player's language, and the download buttons of missing packages.
// A tab builds its controls in its constructor, shows the settings in Fill(), captions them in
// ApplyLanguage(), and tells the dialog through signals what reaches beyond the tab.
#pragma once

#include <QIcon>
#include <QSignalBlocker>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/CardsButton.h"
#include "table/ImageStore.h"

class QCheckBox;
class QComboBox;

namespace tarvo {

class OptionsHooks;
struct WindowResources;

// What every tab works on: the settings it edits in place, the window's hooks, and the window's
// packages, fonts and sounds.
struct OptionsContext {
    Settings& settings;
    OptionsHooks& hooks;
    WindowResources& resources;
};

// A download button with the optional package (0..8 of OptionalPackages()) it fetches.
struct DownloadButton {
    TQobCardsButton* button;
    int package;
};

class OptionsPage : public QWidget {
    Q_OBJECT
  public:
    explicit OptionsPage(const OptionsContext& context);

    // Shows the current settings without writing any of them.
    virtual void Fill() = 0;
    // Captions every control in `Settings::Language`.
    virtual void ApplyLanguage() = 0;
    // The tab came to the front.
    virtual void Shown() {}
    // A package arrived or the tab came to the front: what depends on packages is enabled anew.
    // `present` tells whether a package file is there.
    using PackageCheck = std::function<bool(const QString& fileName)>;
    virtual void PackagesChanged(const PackageCheck&) {}

    const std::vector<DownloadButton>& DownloadButtons() const { return downloads_; }

  signals:
    void downloadRequested(int package);

  protected:
    QString T(TextTable table, int row = 0) const;
    TQobCardsButton* AddDownloadButton(const QString& caption, int package);
    // The firework of a pressed button, when the player wants it.
    void Salute() const;

    Settings& settings_;
    OptionsHooks& hooks_;
    WindowResources& resources_;

  private:
    std::vector<DownloadButton> downloads_;
};

// The picture loaders report missing packages; the tabs fall back without a word.
class SilentPictureMessages : public PictureMessages {
  public:
    void CantFindFile(const QString&) override {}
    void BadPicture(const QString&, const QString&) override {}
};

// Small helpers of the tabs: changing a control from the settings is not a choice of the player,
// so these block the control's signals.
QString FromUtf8(std::string_view text);
void SetChecked(QCheckBox* box, bool on);
void SetIndex(QComboBox* box, int index);
// Blank items for a list whose texts come with the language.
void AddBlankItems(QComboBox* box, int count);
// Refills a list's texts in place, keeping its selection and icons.
void SetItems(QComboBox* box, const QStringList& items);
// The flag of a language, for the lists that show one.
QIcon FlagIcon(int language);

} // namespace tarvo

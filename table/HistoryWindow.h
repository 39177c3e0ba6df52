// The history browser: the valid history files on the left, the series of the chosen one in a
// table on the right, coloured by the kind of play.
#pragma once

#include <QColor>
#include <QDate>
#include <QDialog>
#include <QString>
#include <filesystem>
#include <vector>

#include "records/History.h"
#include "table/RecordsWindows.h"

class QListWidget;
class QTableWidget;

namespace tarvo {

class TQobCardsButton;

// A date as the history writes it, in its list and in its lines alike: the system's short format,
// or "dd.MM.yyyy" when that is longer than the ten characters a history line keeps.
QString HistoryDateText(const QDate& date);
// "File " + "I" + the four-digit number + " " + the date of the file (HistoryDateText).
QString HistoryFileCaption(const HistoryFileInfo& file, int language);
// "Local", "Net", "Account" or "Tourney" for the tag's first character; empty for anything else.
QString HistoryKindWord(char kind, int language);
// The row colour of a kind: the normal text colour for local play, green, red and blue for the
// others.
QColor HistoryKindColour(char kind, const QColor& normal);

constexpr int HistoryColumnWidths[7] = {45, 65, 210, 45, 55, 55, 80};

class TFormHistory : public QDialog {
  public:
    TFormHistory(const std::filesystem::path& dataFolder, const RecordsWindowOptions& options,
                 QWidget* parent = nullptr);

    // The numbers of the files in the list, in list order; empty when there is none.
    const std::vector<HistoryFileInfo>& Files() const { return files_; }
    // Shows the lines of the file at this list row.
    void ChooseFile(int listRow);
    int ChosenFile() const { return chosen_; } // the file number shown, 0 for none

    QListWidget* ListBox1 = nullptr;
    QTableWidget* Table1 = nullptr;
    TQobCardsButton* Button1 = nullptr;

  private:
    void Fill(const std::vector<HistoryRow>& rows);

    std::filesystem::path folder_;
    RecordsWindowOptions options_;
    std::vector<HistoryFileInfo> files_;
    int chosen_ = 0;
};

} // namespace tarvo

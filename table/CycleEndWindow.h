// The end of a 30-game cycle: the verdict, the score of the cycle, the title of the Order for the
// first place, and the medal with the place for a place in the local top ten.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>

#include "records/Series.h"
#include "table/RecordsWindows.h"

class QLabel;

namespace tarvo {

class TGifAnimation;
class TQobCardsButton;

// The four lines of the window, top to bottom, in the language; a missing title (a local game
// while signed in to an account) leaves three.
QStringList CycleEndLines(const EndOfCycle& end, int language);

// "GMedal" with the place picture ("GPlace01" ... "GPlace10") in its middle; a null image for
// place 0.
QImage CycleEndMedal(const EndOfCycle& end);

class TFormCycleEnd : public QDialog {
  public:
    TFormCycleEnd(const EndOfCycle& end, const RecordsWindowOptions& options, QWidget* parent = nullptr);

    const EndOfCycle& End() const { return end_; }

    TGifAnimation* RxGIFAn1 = nullptr; // "GEndBest", "GEndGood" or "GEndBads"
    QList<QLabel*> Lines;              // the lines of CycleEndLines
    QLabel* Medal = nullptr;           // hidden for place 0
    TQobCardsButton* Button1 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    EndOfCycle end_;
    RecordsWindowOptions options_;
    bool sounded_ = false;
};

} // namespace tarvo

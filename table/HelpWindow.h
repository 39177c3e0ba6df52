// The help pages in a window of the game, so that help opens whether or not the machine has a web
// browser. Addresses outside the pages still go to the system's browser.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace tarvo {

class HelpWindow : public QDialog {
  public:
    HelpWindow(const QString& page, const QString& caption, QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

// Shows `page` (an HTML file) in the one help window, opening it or raising it when it is open
// already. The window stays open beside the game; null when the page does not exist.
HelpWindow* ShowHelp(const QString& page, const QString& caption, QWidget* parent);

} // namespace tarvo

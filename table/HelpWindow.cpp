#include "table/HelpWindow.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvo {

HelpWindow::HelpWindow(const QString& page, const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Window) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true); // pages of the help stay here, the web goes to the browser
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
    layout->addWidget(browser_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    resize(720, 600);
}

HelpWindow* ShowHelp(const QString& page, const QString& caption, QWidget* parent) {
    static QPointer<HelpWindow> open;
    if (!QFileInfo(page).isFile()) return nullptr;
    if (!open) {
        open = new HelpWindow(page, caption, parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
        if (parent) {
            QRect frame = open->frameGeometry();
            frame.moveCenter(parent->window()->frameGeometry().center());
            open->move(frame.topLeft());
        }
    }
    open->setWindowTitle(caption);
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

} // namespace tarvo

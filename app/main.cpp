// The game's entry point. Until the table and the match controller are wired in, the window
// shows an empty table of the smallest size.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvo-Trio");
    QMainWindow window;
    window.setWindowTitle("Tarvo-Trio");
    window.setFixedSize(760, 500);
    window.setStyleSheet("QMainWindow { background: #1f6b3a; }");
    window.show();
    return QApplication::exec();
}

// The least a Qt window of the main window's size costs: a menu bar with one
// item above a 447x410 client area that shows one line of text. Start-up time
// and memory of the program are measured against it.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("wavywall bare window"));
    window.menuBar()->setNativeMenuBar(false);
    window.menuBar()->addAction(new QAction(QStringLiteral("About"), &window));
    auto* text = new QLabel(QStringLiteral("One line of text."));
    text->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(text);

    const QSize clientArea(447, 410);
    window.resize(clientArea.width(), clientArea.height() + window.menuBar()->sizeHint().height());
    window.show();
    return app.exec();
}
